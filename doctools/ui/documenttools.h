// The document tools registered with the window: the character page and the conversions.
#pragma once

#include "doctools/core/textconversions.h"

#include <QObject>

class TCodeEdit;
class TCommandHost;
class TCharacterPage;
class TDateStampCommands;

class TDocumentTools : public QObject
{
    Q_OBJECT
public:
    // Reads the character table from dataDir (a failure is shown once and leaves the page empty),
    // fills the character page and binds the conversion commands.
    TDocumentTools(TCommandHost &host, const QString &dataDir, QObject *parent);

    TCharacterPage *CharacterPage() const { return m_page; }
    const QList<TCharacterRow> &Rows() const { return m_rows; }

    void RemoveAllTags();
    void EntitiesChange(bool toCharacters);
    void TagsCaseConvert(bool upper);
    void ReplaceSlashes();
    void TextToHtmlConverter();
    void InsertEntity(const QString &entity);
    // Text from a file the user picks (a template: from the Templates folder), and the minimal
    // page skeleton, inserted at the caret as they are.
    void InsertTextFile(bool templateFile);
    void InsertSkeleton();
    // Puts the colour palette strip and its label on the QuickBar's colour page.
    void AttachPalette(QWidget *page);
    // Puts the date stamp controls on the QuickBar's AutoDate page.
    void AttachAutoDatePage(QWidget *page);
    TDateStampCommands *DateStamps() const { return m_dates; }

private:
    TCodeEdit &RequiredEditor() const;
    void InsertFile(const QString &path, const QString &caption);
    // Converts the selection, or the whole document when nothing is selected, as one undo step;
    // the caret goes to the end of the converted text.
    void ConvertRange(TCodeEdit &edit, const std::function<QString(QStringView)> &convert);

    TCommandHost &m_host;
    TCharacterPage *m_page;
    TDateStampCommands *m_dates;
    QList<TCharacterRow> m_rows;
    Conversions::TEntityMap m_entities;
};
