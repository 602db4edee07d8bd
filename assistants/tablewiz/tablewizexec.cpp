// TableWizExec: the table wizard's entry for host programs and for TagForge's own command.
#include "assistants/tablewiz/tablewizexec.h"

#include "assistants/core/tablemarkup.h"
#include "assistants/tablewiz/tablewizard.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

QString FromUtf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

char *CopyUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    char *copy = static_cast<char *>(std::malloc(size_t(bytes.size()) + 1));
    if (copy)
        std::memcpy(copy, bytes.constData(), size_t(bytes.size()) + 1);
    return copy;
}

void Run(TTableWizCall *call)
{
    // A host without Qt gets an application for the length of the call.
    std::unique_ptr<QApplication> own;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "tagforge-tablewiz";
        static char *argv[] = {name, nullptr};
        own = std::make_unique<QApplication>(argc, argv);
    } else if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qWarning("TableWizExec: the process has no QApplication, so the wizard cannot be shown");
        return;
    }

    auto *owner = call ? static_cast<QWidget *>(call->Owner) : nullptr;
    TfrmTableWiz dialog(owner);
    if (call) {
        if (call->Table) {
            const TableWiz::TReadTable read = TableWiz::ReadTable(FromUtf8(call->Table));
            if (!read.Ok) {
                QMessageBox::warning(owner, dialog.windowTitle(), read.Error);
                return;
            }
            dialog.SetFields(read.Fields);
        }
        dialog.SetIndent(FromUtf8(call->Indent));
        if (call->LineBreak)
            dialog.SetLineBreak(FromUtf8(call->LineBreak));
        dialog.SetDocumentDir(FromUtf8(call->DocumentDir));
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (call)
        call->Markup = CopyUtf8(dialog.Markup());
    else
        QGuiApplication::clipboard()->setText(dialog.Markup());
}

} // namespace

extern "C" TABLEWIZ_API void TableWizExec(void *, const char **name, const char **description, const char **category,
                                          TTableWizCall *call, int mode, void *)
{
    if (mode > 0) {
        if (name)
            *name = "Table Wizard";
        if (description)
            *description = "Table Wizard";
        if (category)
            *category = "Table";
        return;
    }
    if (call) {
        if (call->StructSize != int(sizeof(TTableWizCall))) {
            qWarning("TableWizExec: the call is %d bytes, this library reads %d", call->StructSize,
                     int(sizeof(TTableWizCall)));
            return;
        }
        call->Markup = nullptr;
    }
    // Nothing may unwind into a C caller.
    try {
        Run(call);
    } catch (const std::exception &e) {
        qWarning("TableWizExec: %s", e.what());
    } catch (...) {
        qWarning("TableWizExec: the wizard failed");
    }
}

extern "C" TABLEWIZ_API void TableWizFree(char *markup)
{
    std::free(markup);
}
