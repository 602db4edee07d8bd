// The QuickBar's snippet buttons, the Insert menu's snippet items, Repeat Last Action, Select Tag
// and the Tag and Style Assistants.
#include "aids/ui/snippetcommands.h"

#include "aids/core/myrichedit.h"
#include "aids/core/snippetplacement.h"
#include "aids/core/tagselection.h"
#include "aids/ui/quickbar.h"
#include "assistants/ui/styleassistant.h"
#include "assistants/ui/tagassistant.h"
#include "editor/ui/codeeditview.h"
#include "platform/core/windowstate.h"
#include "platform/qt/commandhost.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>

// The real prompts: the window's input box, the tag and style assistants, the font and colour
// dialogs.
class TSnippetCommands::TDialogAsker : public Snippets::TAsker
{
public:
    explicit TDialogAsker(TCommandHost &host) : m_host(host) {}

    TMyRichEdit *Editor = nullptr;

    bool Input(const QString &caption, const QString &prompt, QString &value) override
    {
        return m_host.InputQuery(caption, prompt, value);
    }
    bool Assistant(int page, QString &code, int &cursorBack) override
    {
        TfrmTagAssistant dialog(m_host.HostWindow(), Input());
        code = dialog.ShowPage(page);
        cursorBack = dialog.CursorBack();
        return !code.isEmpty();
    }
    bool EditSelectedTag(QString &code) override
    {
        TfrmTagAssistant dialog(m_host.HostWindow(), Input());
        code = dialog.EditTag();
        return !code.isEmpty();
    }
    bool StyleRule(QString &rule) override
    {
        TfrmStyleAssistant dialog(m_host.HostWindow());
        rule = dialog.Execute();
        return !rule.isEmpty();
    }
    bool PickFont(QString &family, std::uint32_t &rgb) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, m_host.HostWindow());
        if (!ok)
            return false;
        // The desktop's font dialog has no colour of its own: the colour is asked next.
        const QColor color = QColorDialog::getColor(Qt::black, m_host.HostWindow(), QStringLiteral("Font Color"));
        if (!color.isValid())
            return false;
        family = font.family();
        rgb = color.rgb() & 0xFFFFFFu;
        return true;
    }
    bool PickColor(std::uint32_t &rgb) override
    {
        const QColor color = QColorDialog::getColor(Qt::white, m_host.HostWindow(), QStringLiteral("Color"));
        if (!color.isValid())
            return false;
        rgb = color.rgb() & 0xFFFFFFu;
        return true;
    }
    void Message(const QString &caption, const QString &text, bool warning) override
    {
        m_host.ShowMessage(warning ? QMessageBox::Warning : QMessageBox::Information, caption, text);
    }

private:
    TTagAssistantInput Input() const
    {
        TTagAssistantInput input;
        if (Editor) {
            input.SelectedText = Editor->SelText();
            input.TagName = Editor->SelTagName();
            input.HasSelectedTag = Editor->HasSelectedTag();
        }
        input.DocumentPath = m_host.ActiveDocumentPath();
        return input;
    }

    TCommandHost &m_host;
};

namespace {

// The variant a control gives its command: the list type of the four ordered-list buttons, the
// caption of a heading or meta-tag item.
QString VariantOf(const QObject *sender, int command)
{
    if (!sender)
        return QString();
    if (command == 31) {
        const QString name = sender->objectName();
        if (name == QLatin1String("btnolIB"))
            return QStringLiteral("I");
        if (name == QLatin1String("btnOLIS"))
            return QStringLiteral("i");
        if (name == QLatin1String("btnOLAB"))
            return QStringLiteral("A");
        return QStringLiteral("a");
    }
    if (const auto *action = qobject_cast<const QAction *>(sender))
        return action->text();
    if (const auto *button = qobject_cast<const QToolButton *>(sender))
        return button->text();
    return QString();
}

const struct
{
    const char *Action;
    int Command;
} kInsertItems[] = {
    {"Hyperlink1", 1}, {"EigeneHomepageAdresse1", 6}, {"EigeneeMailAdresse1", 7}, {"HexadecimalColor1", 115},
    {"BRTag1", 18},
};

} // namespace

TSnippetCommands::TSnippetCommands(TCommandHost &host, TQuickBar *quickBar, QObject *parent)
    : QObject(parent), m_host(host), m_quickBar(quickBar), m_dialogs(std::make_unique<TDialogAsker>(host)),
      m_asker(m_dialogs.get())
{
    connect(m_quickBar, &TQuickBar::AnyTBBtnClick, this, &TSnippetCommands::AnyTBBtnClick);
    m_quickBar->SetCommandsEnabled(true);
    for (const auto &item : kInsertItems) {
        const int command = item.Command;
        QAction *action = m_host.FindAction(QLatin1String(item.Action));
        m_host.BindCommand(QLatin1String(item.Action), [this, action, command] { AnyTBBtnClick(action, command); });
    }
    m_host.BindCommand(QStringLiteral("Repeat1"), [this] { btnRepeatClick(); });
    m_host.BindCommand(QStringLiteral("TagSelect1"), [this] { SelectTagAtCursor(); });
    m_host.BindCommand(QStringLiteral("TagAssistent1"), [this] { btnTagAssistantClick(); });

    // "Quick Meta Tag" asks for the name and content, as the Meta button does.
    for (QAction *action : m_quickBar->MetaTagMenu()->actions()) {
        if (action->objectName() == QLatin1String("MetaTagAssistent1"))
            connect(action, &QAction::triggered, this, [this, action] { AnyTBBtnClick(action, 105); });
    }
    if (auto *meta = m_host.HostWindow()->findChild<QMenu *>(QStringLiteral("MetaTags1")))
        meta->setEnabled(true);
    DisableUnbuilt();
}

TSnippetCommands::~TSnippetCommands() = default;

void TSnippetCommands::DisableUnbuilt()
{
    // The "target" button names the box beside it: a click puts the caret there.
    if (QToolButton *target = m_quickBar->Button(QStringLiteral("ToolbarButton9767"))) {
        target->setEnabled(true);
        target->setToolTip(QStringLiteral("Target frame for new links: type it in the box"));
        connect(target, &QToolButton::clicked, m_quickBar->TargetEdit(), [edit = m_quickBar->TargetEdit()] {
            edit->setFocus();
            edit->selectAll();
        });
    }
}

void TSnippetCommands::SetAsker(Snippets::TAsker *asker)
{
    m_asker = asker ? asker : m_dialogs.get();
}

TMyRichEdit *TSnippetCommands::ActiveEditor() const
{
    auto *view = qobject_cast<TCodeEditView *>(m_host.ActiveEditorView());
    return view ? qobject_cast<TMyRichEdit *>(view->Engine()) : nullptr;
}

TMyRichEdit &TSnippetCommands::RequiredEditor() const
{
    auto *view = qobject_cast<TCodeEditView *>(m_host.RequiredEditorView());
    auto *edit = view ? qobject_cast<TMyRichEdit *>(view->Engine()) : nullptr;
    Q_ASSERT(edit);
    return *edit;
}

void TSnippetCommands::AnyTBBtnClick(QObject *sender, int command)
{
    Run(command, VariantOf(sender, command));
}

void TSnippetCommands::btnRepeatClick()
{
    const int last = m_host.State().Flags().LastSnippet;
    if (last < 0) {
        if (QAction *repeat = m_host.FindAction(QStringLiteral("Repeat1")))
            repeat->setEnabled(false);
        return;
    }
    Run(last, m_lastVariant);
}

void TSnippetCommands::Run(int command, const QString &variant)
{
    m_host.RunGuarded([&] {
        TMyRichEdit *edit = ActiveEditor();
        Snippets::TContext context;
        context.Variant = variant;
        context.FrameTarget = m_quickBar->TargetEdit()->text();
        context.ScriptLanguage = m_quickBar->ScriptSelect()->currentIndex();
        context.HomepageRef = m_host.UserSetting(QStringLiteral("HomepageRef"));
        context.EmailRef = m_host.UserSetting(QStringLiteral("eMailRef"));
        context.TabCaption = QFileInfo(m_host.ActiveDocumentPath()).fileName();
        context.HasSelection = edit && edit->SelAvail();
        // The quick list goes where the selection starts; the assistant sees no selection.
        if (command == 28 && edit)
            edit->SetSelStart(edit->SelStart());

        m_dialogs->Editor = edit;
        Snippets::TResult result = Snippets::Run(command, context, *m_asker);
        m_dialogs->Editor = nullptr;
        if (result.Placement == Snippets::TPlacement::StyleAssistant)
            result = StyleRule();
        if (result.Placement == Snippets::TPlacement::Nothing || result.Text.isEmpty())
            return;
        TMyRichEdit &target = RequiredEditor();
        if (!Snippets::Apply(target, result))
            return;
        if (result.Placement == Snippets::TPlacement::Snippet) {
            m_host.State().Set(&TWindowFlags::LastSnippet, qint32(command));
            m_lastVariant = variant;
            if (QAction *repeat = m_host.FindAction(QStringLiteral("Repeat1")))
                repeat->setEnabled(true);
        }
        if (QWidget *view = m_host.ActiveEditorView())
            view->setFocus();
    });
}

Snippets::TResult TSnippetCommands::StyleRule()
{
    // Asked before the dialog, so that a rule made for no document is not thrown away.
    RequiredEditor();
    QString rule;
    if (!m_asker->StyleRule(rule) || rule.isEmpty())
        return {};
    return {Snippets::TPlacement::ReplaceSelection, Snippets::WithCrLf(rule), 0, false};
}

void TSnippetCommands::SelectTagAtCursor()
{
    m_host.RunGuarded([&] {
        TMyRichEdit &edit = RequiredEditor();
        if (TagSelection::SelectTagAtCursor(edit) == TagSelection::TSelectOutcome::NoTag)
            m_asker->Message(QStringLiteral("TagForge!"), QStringLiteral("Sorry, no tag found at cursor!"), true);
    });
}

void TSnippetCommands::btnTagAssistantClick()
{
    m_host.RunGuarded([&] {
        TMyRichEdit &edit = RequiredEditor();
        const TagSelection::TSelectOutcome outcome = TagSelection::SelectTagAtCursor(edit);
        if (outcome == TagSelection::TSelectOutcome::NoTag)
            m_asker->Message(QStringLiteral("TagForge!"), QStringLiteral("Sorry, no tag found at cursor!"), true);
        // Without a tag there is nothing to read back: the assistant is not opened on a stale name.
        if (outcome != TagSelection::TSelectOutcome::Selected)
            return;
        m_dialogs->Editor = &edit;
        QString markup;
        const bool edited = m_asker->EditSelectedTag(markup);
        m_dialogs->Editor = nullptr;
        if (edited)
            TagSelection::ReplaceSelectedTag(edit, markup);
    });
}
