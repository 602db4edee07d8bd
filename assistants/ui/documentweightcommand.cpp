// The Document Weight command.
#include "assistants/ui/documentweightcommand.h"

#include "assistants/ui/documentweight.h"
#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "platform/qt/commandhost.h"

TDocumentWeightCommand::TDocumentWeightCommand(TCommandHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    ShowDialog = [](TfrmDocumentWeight &dialog) { dialog.exec(); };
    m_host.BindCommand(QStringLiteral("Dokument2"), [this] { Dokument2Click(); });
}

void TDocumentWeightCommand::Dokument2Click()
{
    auto *view = qobject_cast<TCodeEditView *>(m_host.RequiredEditorView());
    if (!view)
        return;
    const TCodeEdit *edit = view->Engine();
    TfrmDocumentWeight dialog(m_host.HostWindow(), {edit->Text(), m_host.ActiveDocumentPath(), edit->Modified()});
    ShowDialog(dialog);
}
