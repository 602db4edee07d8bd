// The templates the new-document dialog offers.
#include "assistants/core/newdocumentcode.h"

#include <QDir>
#include <QFileInfo>

namespace NewDocument {

QString WizardCaption()
{
    return QStringLiteral("HTML Wizard");
}

QList<TTemplate> ListTemplates(const QString &dir)
{
    QList<TTemplate> templates;
    if (dir.isEmpty())
        return templates;
    const QDir folder(dir);
    const QFileInfoList files =
        folder.entryInfoList({QStringLiteral("*.tpl")}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &file : files) {
        const QString name = file.fileName();
        // "a.tpl.tpl" is the template a.tpl; a file named just ".tpl" keeps its name to be shown.
        const QString caption = name.size() > 4 ? name.left(name.size() - 4) : name;
        templates.push_back({caption, file.absoluteFilePath()});
    }
    return templates;
}

} // namespace NewDocument
