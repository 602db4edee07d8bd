// TTagInsight: tag-bracket completion, the tag completion list and the tag hints of the editors.
#include "aids/ui/taginsight.h"

#include "aids/core/myrichedit.h"
#include "aids/core/taginsight.h"
#include "aids/ui/myhintwindow.h"
#include "aids/ui/taginsightlist.h"
#include "editor/core/editcommands.h"
#include "editor/ui/codeeditview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr int kBelowCaret = 15;

}

TTagInsight::TTagInsight(QWidget *window, QLineEdit *mmoTagHint, QTimer *timer2, TWindowState &state)
    : QObject(window), m_window(window), m_mmoTagHint(mmoTagHint), m_timer2(timer2), m_state(state)
{
    m_list = new TTagInsightList(window);
    m_list->OnInsert = [this] { lbTagInsightDblClick(); };
    m_list->OnClose = [this] {
        HideList();
        ReturnToEditor();
    };
    m_list->OnLetter = [this](QChar letter) { TypeLetter(letter); };
    m_hintWindow = new TMyHintWindow(window);
    if (m_timer2) {
        m_timer2->setSingleShot(true);
        connect(m_timer2, &QTimer::timeout, this, &TTagInsight::Timer2Timer);
    }
    // A click anywhere but in the editor takes the tooltip down, also on controls that never take
    // the focus (the side bar's page buttons), where the editor's focus-out never comes.
    qApp->installEventFilter(this);
}

TTagInsight::~TTagInsight() = default;

QString TTagInsight::StatusText()
{
    return QStringLiteral("Select Item: Cursor Down; Paste Selection: following Character (Space, Enter, ...)");
}

bool TTagInsight::LoadInsightData(const QString &fileName)
{
    if (TagData::LoadInsightData(fileName, m_insightTags))
        return true;
    const QString caption = QStringLiteral("Error");
    const QString text = TagData::InsightErrorText();
    if (AskYesNo)
        return AskYesNo(caption, text);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Critical, caption, shown, QMessageBox::Yes | QMessageBox::No,
                    m_window->isVisible() ? m_window : nullptr);
    return box.exec() == QMessageBox::Yes;
}

void TTagInsight::LoadTagNames(const QString &fileName)
{
    if (TagData::LoadTagNames(fileName, m_tagNames))
        return;
    const QString caption = QStringLiteral("Error");
    const QString text = TagData::TagNamesErrorText();
    if (ShowMessage) {
        ShowMessage(QMessageBox::Critical, caption, text);
        return;
    }
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Critical, caption, shown, QMessageBox::Ok, m_window->isVisible() ? m_window : nullptr);
    box.exec();
}

void TTagInsight::AttachEditor(TCodeEditView *view)
{
    view->Engine()->OnKeyPress.Add([this](TCodeEdit *editor, QChar &key) { FormKeyPress(editor, key); });
    view->Engine()->OnProcessCommand.Add(
        [this](TCodeEdit *editor, TEditorCommand &command, QChar &, void *) { FormProcessCommand(editor, command); });
    view->installEventFilter(this);
    connect(view, &TCodeEditView::focusLost, m_hintWindow, &QWidget::hide);
}

TMyRichEdit *TTagInsight::ActiveRichEdit() const
{
    TCodeEditView *view = ActiveView ? ActiveView() : nullptr;
    return view ? qobject_cast<TMyRichEdit *>(view->Engine()) : nullptr;
}

void TTagInsight::FormKeyPress(TCodeEdit *editor, QChar &key)
{
    if (!m_state.Flags().TagCompletion)
        return;
    m_state.Set(&TWindowFlags::Typing, true);
    // A read-only document takes no brackets either; the engine drops the key itself.
    if (editor->ReadOnly())
        return;
    if (key == QLatin1Char('>')) {
        if (AtAutoBracket(editor)) {
            // The tag being typed already has its ">": step over it instead of doubling it.
            editor->SetSelStart(editor->SelStart() + 1);
            key = QChar();
        }
        m_autoBracket.Editor = nullptr;
        return;
    }
    if (key != QLatin1Char('<'))
        return;
    editor->SetSelStart(editor->SelStart());
    editor->SetSelText(QStringLiteral("<>"));
    key = QChar();
    // Through SelStart, so that the selection moves with the caret and the scanners see it there.
    editor->SetSelStart(editor->SelStart() - 1);
    m_autoBracket = {editor, editor->CaretY(), editor->CaretX() - 1};
}

bool TTagInsight::AtAutoBracket(TCodeEdit *editor) const
{
    if (m_autoBracket.Editor != editor || editor->SelAvail() || editor->CaretY() != m_autoBracket.Line
        || editor->CaretY() > editor->Lines().Count())
        return false;
    const QString &line = editor->Lines()[editor->CaretY() - 1];
    const int open = m_autoBracket.OpenColumn - 1; // 0-based index of the "<"
    const int caret = editor->CaretX() - 1;        // 0-based index of the character after the caret
    if (open < 0 || caret <= open || caret >= line.size() || line.at(open) != QLatin1Char('<')
        || line.at(caret) != QLatin1Char('>'))
        return false;
    // Only while the caret is still inside that tag: nothing between "<" and the caret closes it.
    for (int i = open + 1; i < caret; ++i)
        if (line.at(i) == QLatin1Char('<') || line.at(i) == QLatin1Char('>'))
            return false;
    return true;
}

void TTagInsight::FormProcessCommand(TCodeEdit *editor, quint16 &command)
{
    if (command != ecDeleteLastChar || !m_state.Flags().TagCompletion || editor->ReadOnly())
        return;
    if (!AtAutoBracket(editor) || editor->CaretX() != m_autoBracket.OpenColumn + 1)
        return;
    // Caret between a just-completed "<" and its ">": both go, as one undoable change.
    const int start = editor->SelStart() - 1;
    editor->SetSelStart(start);
    editor->SetSelEnd(start + 2);
    editor->SetSelText(QString());
    m_autoBracket.Editor = nullptr;
    command = ecNone;
}

bool TTagInsight::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && (m_hintWindow->isVisible() || m_list->isVisible())) {
        auto *widget = static_cast<QWidget *>(watched);
        TCodeEditView *view = ActiveView ? ActiveView() : nullptr;
        const auto inside = [widget](QWidget *w) { return w && (widget == w || w->isAncestorOf(widget)); };
        if (!inside(view) && !inside(m_list) && !inside(m_hintWindow)) {
            m_hintWindow->hide();
            if (m_list->isVisible())
                HideList();
        }
        return false;
    }
    // Down moves into an open list that does not have the focus yet.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && qobject_cast<TCodeEditView *>(watched)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Down && !(key->modifiers() & ~Qt::KeypadModifier) && m_list->isVisible()
            && !m_list->hasFocus() && m_list->count() > 0) {
            m_list->setFocus(Qt::OtherFocusReason);
            // The second entry; a list of one selects its only entry, so Enter can take it.
            m_list->setCurrentRow(qMin(1, m_list->count() - 1));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TTagInsight::EditorChange()
{
    if (m_inserting)
        return;
    // The prefix an open list was filled for may have changed under it.
    if (m_state.Flags().InsightShown)
        HideList();
    CheckTagHint();
    if (!m_state.Flags().InsightShown && m_state.Flags().TagInsight)
        FillInsightList();
}

void TTagInsight::EditorSelectionChange()
{
    DisarmDelay();
    HideList();
    if (!m_state.Flags().Typing)
        CheckTagHint();
}

void TTagInsight::HideList()
{
    m_list->hide();
    m_state.Set(&TWindowFlags::InsightShown, false);
}

void TTagInsight::CheckTagHint()
{
    if (m_state.Flags().InsightShown || !m_state.Flags().TagInsight)
        return;
    TMyRichEdit *editor = ActiveRichEdit();
    if (!editor)
        return;
    const TagInsight::TCaretText text = AroundCaret(editor);
    if (text.Text.isEmpty())
        return;
    m_list->hide();
    const TagInsight::TTagHintCheck check =
        TagInsight::CheckTagHint(text.Text, text.SelStart, editor->SelAvail(), m_tagNames);
    m_state.Set(&TWindowFlags::ScanPos, qint32(check.ScanPos + text.Base));
    switch (check.Decision) {
    case TagInsight::THintDecision::Hide: HideTagHints(); break;
    case TagInsight::THintDecision::NameList:
        FillInsightList(text);
        HideTagHints();
        editor->SetHasSelectedTag(false);
        break;
    case TagInsight::THintDecision::Hints:
        editor->SetSelTagName(check.SelTagName);
        m_afterBlank = check.AfterBlank;
        m_list->SetTag(TagInsight::kModeParameters);
        ArmDelay();
        break;
    }
}

void TTagInsight::FillInsightList()
{
    if (TMyRichEdit *editor = ActiveRichEdit())
        FillInsightList(AroundCaret(editor));
}

TagInsight::TCaretText TTagInsight::AroundCaret(const TMyRichEdit *editor)
{
    return TagInsight::TextAroundCaret(editor->Lines(), editor->BlockBegin(), editor->SelStart());
}

void TTagInsight::FillInsightList(const TagInsight::TCaretText &text)
{
    if (m_list->isVisible())
        HideList();
    if (m_state.Flags().InsightShown)
        return;
    const TagInsight::TNameList names =
        TagInsight::FillInsightList(text.Text, text.SelStart, m_tagNames, m_insightTags);
    if (names.IsEmpty())
        return;
    TCodeEditView *view = ActiveView();
    m_state.Set(&TWindowFlags::InsightShown, true);
    InsightStart = names.InsightStart + text.Base;
    InsightLen = names.InsightLen;
    m_list->SetTag(TagInsight::kModeNames);
    m_list->SetEntries(names.Names);
    PlaceList(view, -10);
    // Shown by Timer2, once the user has paused.
    ArmDelay();
}

void TTagInsight::ShowTagHints()
{
    TMyRichEdit *editor = ActiveRichEdit();
    if (!editor)
        return;
    const TagInsight::TTagHints hints = TagInsight::TagHints(editor->SelTagName(), m_insightTags);
    if (m_mmoTagHint)
        m_mmoTagHint->clear();
    // Also when this tag has no parameters: a tooltip still up belongs to another tag.
    m_hintWindow->hide();
    if (!hints.Found)
        return;
    if (m_mmoTagHint) {
        m_mmoTagHint->setText(hints.MemoText);
        m_mmoTagHint->setCursorPosition(0);
    }
    TCodeEditView *view = ActiveView();
    if (m_afterBlank) {
        m_list->SetTag(TagInsight::kModeParameters);
        m_list->SetEntries(hints.ParameterItems);
        PlaceList(view, -30);
        m_list->show();
        m_list->raise();
        return;
    }
    // The tooltip belongs to the text being typed: not shown once the user works elsewhere.
    if (view->hasFocus())
        m_hintWindow->ActivateHint(view->viewport()->mapToGlobal(BelowCaret(view, 10)), hints.Lines);
}

void TTagInsight::HideTagHints()
{
    if (TMyRichEdit *editor = ActiveRichEdit())
        editor->SetSelTagName(QString());
    if (m_mmoTagHint)
        m_mmoTagHint->clear();
    m_hintWindow->hide();
}

void TTagInsight::ArmDelay()
{
    if (m_timer2)
        m_timer2->start();
}

void TTagInsight::DisarmDelay()
{
    if (m_timer2)
        m_timer2->stop();
}

void TTagInsight::Timer2Timer()
{
    DisarmDelay();
    if (m_state.Flags().Typing)
        return;
    if (m_state.Flags().InsightShown) {
        m_list->show();
        m_list->raise();
    } else {
        ShowTagHints();
    }
    if (ShowStatus)
        ShowStatus(StatusText());
}

void TTagInsight::lbTagInsightDblClick()
{
    TMyRichEdit *editor = ActiveRichEdit();
    QListWidgetItem *item = m_list->currentItem();
    if (!editor || !item || !item->isSelected() || editor->ReadOnly())
        return;
    const TagInsight::TCaretText text = AroundCaret(editor);
    const int at = text.SelStart - 2;
    const QChar before = at >= 0 && at < text.Text.size() ? text.Text.at(at) : QChar();
    const TagInsight::TInsertion insertion =
        TagInsight::InsightInsertion(item->text(), before, m_state.Flags().InsightShown, InsightStart, InsightLen,
                                     text.Base + int(text.Text.size()));
    if (!insertion.Skip) {
        m_inserting = true;
        editor->BeginUpdate();
        if (insertion.ReplacePrefix) {
            editor->SetSelStart(insertion.SelStart);
            editor->SetSelEnd(insertion.SelEnd);
        }
        editor->SetSelText(insertion.Text);
        if (insertion.CaretBetweenQuotes)
            editor->SetSelStart(editor->SelStart() - 1);
    }
    HideList();
    ReturnToEditor();
    if (!insertion.Skip) {
        // The events of the end of the update look at the new text, so the hints follow it.
        m_inserting = false;
        editor->EndUpdate();
    }
}

void TTagInsight::ReturnToEditor()
{
    if (TCodeEditView *view = ActiveView ? ActiveView() : nullptr)
        view->setFocus(Qt::OtherFocusReason);
}

void TTagInsight::TypeLetter(QChar letter)
{
    if (TMyRichEdit *editor = ActiveRichEdit()) {
        editor->SetSelStart(editor->SelStart());
        editor->CommandProcessor(ecChar, letter);
    }
    ReturnToEditor();
}

QPoint TTagInsight::BelowCaret(TCodeEditView *view, int dx) const
{
    const QPoint caret = view->RowColumnToPixels(view->Engine()->CaretXY());
    // Just below the caret's line, however tall the editor's font makes it.
    return caret + QPoint(dx, qMax(kBelowCaret, view->LineHeight()));
}

void TTagInsight::PlaceList(TCodeEditView *view, int dx)
{
    const QSize size = m_list->SizeFor(m_list->LongestEntryWidth() + 30);
    QPoint pos = view->viewport()->mapTo(m_window, BelowCaret(view, dx));
    // Kept inside the window: above the caret's line when there is no room below it.
    if (pos.y() + size.height() > m_window->height()) {
        const QPoint top = view->viewport()->mapTo(m_window, view->RowColumnToPixels(view->Engine()->CaretXY()));
        pos.setY(qMax(0, top.y() - size.height()));
    }
    pos.setX(qBound(0, pos.x(), qMax(0, m_window->width() - size.width())));
    m_list->setGeometry(QRect(pos, size));
}
