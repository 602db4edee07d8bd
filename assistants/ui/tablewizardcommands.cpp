// The Table Assistant command.
#include "assistants/ui/tablewizardcommands.h"

#include "assistants/core/tablemarkup.h"
#include "assistants/tablewiz/tablewizexec.h"
#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/commandhost.h"

#include <QAction>
#include <QFileInfo>
#include <QToolButton>

TTableWizardCommands::TTableWizardCommands(TCommandHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    QAction *action = m_host.BindCommand(QStringLiteral("TableWizard1"), [this] { TableWizard(); });
    if (auto *button = m_host.HostWindow()->findChild<QToolButton *>(QStringLiteral("btnTableWiz"))) {
        button->setEnabled(action != nullptr);
        if (action)
            connect(button, &QToolButton::clicked, action, &QAction::trigger);
    }
}

void TTableWizardCommands::TableWizard()
{
    m_host.RunGuarded([&] {
        auto *view = qobject_cast<TCodeEditView *>(m_host.RequiredEditorView());
        if (!view)
            return;
        TCodeEdit &edit = *view->Engine();
        const QString text = edit.Text();
        // Without a selection the caret is where the table goes (the block may lie elsewhere).
        const bool selected = edit.SelAvail();
        const qsizetype selStart = (selected ? edit.SelStart() : edit.CharPosOf(edit.CaretXY())) - 1;
        const qsizetype selEnd = selected ? edit.SelEnd() - 1 : selStart;
        // A selection stands for a new table unless it is exactly a table.
        const TableWiz::TTableRange table = TableWiz::TableAt(text, selStart);
        const bool editing = table.Found() && (!selected || (table.Start == selStart && table.End == selEnd));
        const qsizetype anchor = editing ? table.Start : selStart;
        qsizetype lineStart = anchor;
        while (lineStart > 0 && text[lineStart - 1] != u'\n' && text[lineStart - 1] != u'\r')
            --lineStart;

        const QStringView before = QStringView(text).mid(lineStart, anchor - lineStart);
        const QString indent = TableWiz::IndentFor(before);
        const QByteArray tableText = editing ? text.mid(table.Start, table.End - table.Start).toUtf8() : QByteArray();
        const QByteArray indentText = indent.toUtf8();
        const QFileInfo document(m_host.ActiveDocumentPath());
        const QByteArray dir = document.isAbsolute() ? document.absolutePath().toUtf8() : QByteArray();
        TTableWizCall call{};
        call.StructSize = int(sizeof(call));
        call.Table = editing ? tableText.constData() : nullptr;
        call.Indent = indentText.constData();
        // The editor's own line break; the file keeps its style when it is written.
        call.LineBreak = "\r\n";
        call.DocumentDir = dir.isEmpty() ? nullptr : dir.constData();
        call.Owner = m_host.HostWindow();
        TableWizExec(nullptr, nullptr, nullptr, nullptr, &call, 0, nullptr);
        if (!call.Markup)
            return;
        QString markup = QString::fromUtf8(call.Markup);
        TableWizFree(call.Markup);

        // The editor drops the blanks that end a line while it deletes, so a replacement that
        // starts after nothing but blanks and tabs takes them along and writes them again.
        qsizetype from = anchor;
        if (indent == before) {
            from = lineStart;
            markup.prepend(before);
        }
        const qsizetype to = editing ? table.End : selEnd;
        // Positions name a stretch of text, so the replacement runs in the normal selection mode.
        const TSelectionMode mode = edit.SelectionMode();
        edit.BeginUpdate();
        edit.SetSelectionMode(smNormal);
        edit.SetSelStart(int(from) + 1);
        edit.SetSelEnd(int(to) + 1);
        edit.SetSelText(markup);
        edit.SetSelectionMode(mode);
        edit.EndUpdate();
        view->setFocus();
    });
}
