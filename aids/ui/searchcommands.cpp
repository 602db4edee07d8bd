// TSearchCommands: the main window's find, replace, fast search and go-to commands.
#include "aids/ui/searchcommands.h"

#include "aids/ui/searchdialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolBar>

TSearchCommands::TSearchCommands(const TSearchContext &context, QObject *parent) : QObject(parent), m_context(context)
{
    m_findDialog = new TSearchDialog(false, m_context.Parent);
    m_replaceDialog = new TSearchDialog(true, m_context.Parent);
    connect(m_findDialog, &TSearchDialog::Find, this,
            [this](TSearchDialog *d) { Guarded([this, d] { FindDialog1Find(d); }); });
    connect(m_replaceDialog, &TSearchDialog::Find, this,
            [this](TSearchDialog *d) { Guarded([this, d] { FindDialog1Find(d); }); });
    connect(m_replaceDialog, &TSearchDialog::Replace, this,
            [this](TSearchDialog *, bool all) { Guarded([this, all] { ReplaceDialog1Replace(all); }); });

    auto wire = [this](const char *name, std::function<void()> command) {
        QAction *action = m_context.Action ? m_context.Action(QLatin1String(name)) : nullptr;
        if (!action)
            return;
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
    };
    wire("Find1", [this] { Find1Click(); });
    wire("FindNext1", [this] { FindNext1Click(); });
    wire("Replace1", [this] { Replace1Click(); });
    wire("GotoLine1", [this] { GotoClick(1); });
    wire("GotoChar1", [this] { GotoClick(2); });

    if (QComboBox *box = m_context.cbxFind) {
        box->setEnabled(true);
        box->setToolTip(QStringLiteral("Fast Search - Enter Search Phrase here"));
        // The history is kept here: every Enter adds the phrase, repeats included.
        box->setInsertPolicy(QComboBox::NoInsert);
        m_btnFind = new QAction(QIcon::fromTheme(QStringLiteral("edit-find")), QStringLiteral("Fast Search"), this);
        m_btnFind->setObjectName(QStringLiteral("btnFind"));
        m_btnFind->setToolTip(QStringLiteral("Fast Search"));
        connect(m_btnFind, &QAction::triggered, this, [this] { Guarded([this] { btnFindClick(); }); });
        if (auto *bar = qobject_cast<QToolBar *>(box->parentWidget()))
            bar->addAction(m_btnFind);
        box->installEventFilter(this);
        if (QLineEdit *edit = box->lineEdit())
            edit->installEventFilter(this);
    }
}

bool TSearchCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Guarded([this] { cbxFindEnter(); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TSearchCommands::Beep() const
{
    if (m_context.Beep)
        m_context.Beep();
    else
        QApplication::beep();
}

void TSearchCommands::Guarded(const std::function<void()> &command) const
{
    if (m_context.RunGuarded)
        m_context.RunGuarded(command);
    else
        command();
}

bool TSearchCommands::FindText(const QString &text, TSynSearchOptions options)
{
    TCodeEdit *editor = m_context.ActiveEditor();
    return FindReplace::FindText(*editor, text, options, [this] { Beep(); });
}

void TSearchCommands::ShowDialog(TSearchDialog *dialog)
{
    TCodeEdit *editor = m_context.ActiveEditor();
    const QString selected = FindReplace::PrefillFromSelection(*editor);
    if (!selected.isNull())
        dialog->SetFindText(selected);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TSearchCommands::Find1Click()
{
    ShowDialog(m_findDialog);
}

void TSearchCommands::Replace1Click()
{
    ShowDialog(m_replaceDialog);
}

void TSearchCommands::FindDialog1Find(TSearchDialog *sender)
{
    const TSearchDialogState state = (sender == m_replaceDialog ? m_replaceDialog : m_findDialog)->State();
    TCodeEdit *editor = m_context.ActiveEditor();
    FindReplace::DialogFind(*editor, state, [this] { Beep(); });
}

void TSearchCommands::FindNext1Click()
{
    if (m_context.CurrentEditor && m_context.CurrentEditor())
        FindDialog1Find(m_findDialog);
}

void TSearchCommands::ReplaceDialog1Replace(bool all)
{
    TCodeEdit *editor = m_context.ActiveEditor();
    FindReplace::DialogReplace(*editor, m_replaceDialog->State(), all, [this] { Beep(); });
}

void TSearchCommands::btnFindClick()
{
    QComboBox *box = m_context.cbxFind;
    const QString text = box ? box->currentText() : QString();
    if (!text.isEmpty()) {
        m_findDialog->SetFindText(text);
        m_replaceDialog->SetFindText(text);
        FindNext1Click();
    } else {
        Find1Click();
    }
    if (m_context.CurrentEditor)
        if (TCodeEdit *editor = m_context.CurrentEditor())
            UpdateControls(editor);
}

void TSearchCommands::cbxFindEnter()
{
    if (QComboBox *box = m_context.cbxFind) {
        const QString text = box->currentText();
        box->addItem(text);
        box->setCurrentText(text); // adding must not change what is typed
    }
    btnFindClick();
}

void TSearchCommands::GotoClick(int number)
{
    TCodeEdit *editor = m_context.ActiveEditor();
    QAction *action = m_context.Action
                          ? m_context.Action(number == 1 ? QStringLiteral("GotoLine1") : QStringLiteral("GotoChar1"))
                          : nullptr;
    QString caption = action ? action->text() : QString();
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1String("...")))
        caption.chop(3);
    const QString prompt = QStringLiteral("Please enter number:");
    QString value;
    bool confirmed = false;
    if (m_context.InputQuery) {
        confirmed = m_context.InputQuery(caption, prompt, value);
    } else {
        value = QInputDialog::getText(m_context.Parent, caption, prompt, QLineEdit::Normal, QString(), &confirmed);
    }
    if (!confirmed)
        return; // cancelling is not an error
    const int target = FindReplace::StrToInt(value);
    if (number == 1)
        FindReplace::GotoLine(*editor, target);
    else
        FindReplace::GotoChar(*editor, target);
}

void TSearchCommands::UpdateControls(const TCodeEdit *editor)
{
    const bool hasText =
        editor && (editor->LineCount() > 1 || (editor->LineCount() == 1 && !editor->Lines()[0].isEmpty()));
    if (m_context.Action)
        for (const char *name : {"Find1", "FindNext1", "Replace1", "GotoLine1", "GotoChar1"})
            if (QAction *action = m_context.Action(QLatin1String(name)))
                action->setEnabled(hasText);
    if (m_btnFind)
        m_btnFind->setEnabled(hasText);
}
