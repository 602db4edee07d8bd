// The document-wide assistants on the active editor.
#include "assistants/ui/documentassistants.h"

#include "assistants/core/bodyassistantcode.h"
#include "assistants/core/pagescan.h"
#include "assistants/core/quickstartcode.h"
#include "assistants/ui/bodyassistant.h"
#include "assistants/ui/newdoc.h"
#include "assistants/ui/quickstart.h"
#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/commandhost.h"

#include <QDir>
#include <QFileInfo>

namespace DocumentAssistants {

namespace {

TCodeEdit &RequiredEditor(TCommandHost &host)
{
    auto *view = qobject_cast<TCodeEditView *>(host.RequiredEditorView());
    Q_ASSERT(view);
    return *view->Engine();
}

// The whole text, lines joined by CR LF without a break after the last: offset + 1 is the
// editor's character position.
QString WholeText(const TCodeEdit &edit)
{
    return edit.Lines().Text().chopped(edit.LineCount() > 0 ? 2 : 0);
}

void Select(TCodeEdit &edit, qsizetype start, qsizetype end)
{
    edit.SetSelectionMode(smNormal);
    edit.SetSelStart(int(start) + 1);
    edit.SetSelEnd(int(end) + 1);
}

// The folder a relative path is written from: the document's, or the current one for a
// document never saved.
QString DocumentDir(TCommandHost &host)
{
    const QFileInfo document(host.ActiveDocumentPath());
    return document.isAbsolute() ? document.absolutePath() : QDir::currentPath();
}

} // namespace

void RunBodyAssistant(TCommandHost &host)
{
    TCodeEdit &edit = RequiredEditor(host);
    const QString text = WholeText(edit);
    const BodyAssistant::TTagSpan span = BodyAssistant::FindBodyTag(text);
    BodyAssistant::TBodyFields fields;
    if (span.Start >= 0) {
        Select(edit, span.Start, span.End);
        fields = BodyAssistant::ReadBody(QStringView(text).mid(span.Start, span.End - span.Start));
    } else {
        // A new tag goes in at the caret and never over what happens to be selected.
        const int caret = edit.CharPosOf(edit.CaretXY());
        edit.SetSelectionMode(smNormal);
        edit.SetSelStart(caret);
    }
    TfrmBodyAssistant dialog(host.HostWindow(), fields);
    const QString dir = DocumentDir(host);
    dialog.ChooseImage = [&host, dir](const QString &caption, const QString &filter) {
        return host.ChooseOpenFile(caption, filter, dir);
    };
    if (host.ExecDialog(dialog) != QDialog::Accepted)
        return;
    edit.SetSelText(BodyAssistant::BodyCode(dialog.Fields(), dir));
    if (QWidget *view = host.ActiveEditorView())
        view->setFocus();
}

void RunQuickStart(TCommandHost &host)
{
    TCodeEdit &edit = RequiredEditor(host);
    const QString text = WholeText(edit);
    TfrmQuickStart dialog(host.HostWindow(), QuickStart::ReadPage(text));
    if (host.ExecDialog(dialog) != QDialog::Accepted)
        return;
    const QuickStart::TResult result = QuickStart::Complete(text, dialog.Fields());
    const PageScan::TSplice splice = PageScan::Difference(text, result.Text);
    if (splice.Removed > 0 || !splice.Inserted.isEmpty()) {
        Select(edit, splice.Start, splice.Start + splice.Removed);
        edit.SetSelText(splice.Inserted);
    }
    if (result.Caret >= 0)
        edit.SetSelStart(int(result.Caret) + 1);
    if (QWidget *view = host.ActiveEditorView())
        view->setFocus();
}

bool ChooseNewDocument(TCommandHost &host, QString &templateFile)
{
    templateFile.clear();
    TfrmNewDoc dialog(host.HostWindow(), host.ProgramDir() + QStringLiteral("/Templates"));
    if (host.ExecDialog(dialog) != QDialog::Accepted)
        return false;
    templateFile = dialog.TemplateFile();
    if (dialog.WizardChosen()) {
        RunQuickStart(host);
        RunBodyAssistant(host);
    }
    return true;
}

} // namespace DocumentAssistants

TDocumentAssistants::TDocumentAssistants(TCommandHost &host, QObject *parent) : QObject(parent)
{
    host.BindCommand(QStringLiteral("BodyAssistant1"), [&host] { DocumentAssistants::RunBodyAssistant(host); });
    host.BindCommand(QStringLiteral("QuickStart1"), [&host] { DocumentAssistants::RunQuickStart(host); });
}
