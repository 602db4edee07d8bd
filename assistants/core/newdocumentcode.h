// The new-document dialog's list: the built-in wizard and the page templates found in a folder.
#pragma once

#include <QList>
#include <QString>

namespace NewDocument {

// The first entry of the list, which runs the quick start wizard and the body assistant.
QString WizardCaption();

struct TTemplate
{
    QString Caption; // the file name without its last four characters (".tpl")
    QString Path;
};

// Every "*.tpl" file directly in dir (the extension in any case, hidden files too), in name order
// ignoring case. Folders are left out; a missing or unreadable folder gives none.
QList<TTemplate> ListTemplates(const QString &dir);

} // namespace NewDocument
