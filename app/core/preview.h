// Preview copies: where they are written and how an external browser is started on one.
#pragma once

#include <QString>
#include <QStringList>

namespace Preview {

// The folder a document's copies go to: its own folder, or fallbackDir for a document that has
// never been saved.
QString DocumentDir(const QString &path, const QString &fallbackDir);

// dir + "~qw" + file name, plus ".htm" for an include source (".htc") or a name without an
// extension (a document never saved), so that browsers show it as a page.
QString PreviewName(const QString &path, const QString &fallbackDir);
// The copy written when the editor loses the focus: without the ".htm" addition.
QString ExitCopyName(const QString &path, const QString &fallbackDir);

struct TCommand
{
    QString Program;
    QStringList Arguments;
};

// ParamStart + file + ParamEnd split like a command line (quotes group, nothing is run
// through a shell).
TCommand ExternalBrowserCommand(const QString &program, const QString &paramStart, const QString &file,
                                const QString &paramEnd);

// The message shown when the chosen external browser has no program.
QString NoBrowserPathMessage();

} // namespace Preview
