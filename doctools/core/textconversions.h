// The document conversions: tags removed, characters to entities and back, tag-name case,
// backslashes to slashes, a text file turned into a page. Each is one pass over the text.
#pragma once

#include "doctools/core/charactertable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <bitset>
#include <functional>

namespace Conversions {

// Removes every "<...>" (line breaks inside included); of several "<" before a ">", the last one
// starts the tag. A ">" with no "<" before it asks strayBracket: true keeps it and goes on, false
// stops there with the text done so far. Stopped tells which happened.
struct TRemovedTags
{
    QString Text;
    bool Stopped = false;
};
TRemovedTags RemoveAllTags(QStringView text, const std::function<bool()> &strayBracket);

// Every line without its leading characters of code 32 or below.
QString TrimLineStarts(QStringView text);

// The rows a conversion uses: the table's rows with a character and an entity, without the rows
// for "<", ">" and "&" (converting those would break the markup). Characters match exactly
// (case kept: "É" is not "é"); the first row for a character or an entity wins.
class TEntityMap
{
public:
    explicit TEntityMap(const QList<TCharacterRow> &rows);
    bool IsEmpty() const { return m_rows.isEmpty(); }

    // Characters of the table become its entities. Other characters from U+00A0 on become their
    // HTML named reference (when named is set), and the rest numeric ones ("&#x2192;", when
    // numeric is set); unnamed counts those left without a name. ASCII is never touched.
    QString CharactersToEntities(QStringView text, bool named = true, bool numeric = false,
                                 qsizetype *unnamed = nullptr) const;
    // The table's entities, then every named and numeric reference, back to their characters, as
    // far as those are from U+00A0 on: references to ASCII ("&lt;", "&#34;") stay as written.
    QString EntitiesToCharacters(QStringView text) const;

private:
    struct TRow
    {
        QString Character;
        QString Entity;
    };
    QList<TRow> m_rows;
    // Rows by the first character of their character field, and by their entity text.
    QHash<QChar, QList<int>> m_byFirstChar;
    QHash<QString, int> m_byEntity;
    std::bitset<65536> m_starts; // the UTF-16 units some row's character starts with
    qsizetype m_longestEntity = 0;
};

// The name after every "<" (up to a line break, blank or ">") in upper or lower case; only the
// letters a to z change. Every "<" counts, also in scripts and comments.
QString ConvertTagCase(QStringView text, bool upper);
// The same on text itself, for a caller that has its own copy; true when a letter changed.
bool ConvertTagCaseInPlace(QString &text, bool upper);

// Every "\" as "/".
QString ReplaceSlashes(QStringView text);

// A plain text file's lines as a page: "<br>" after every line, characters as entities, slashes,
// then the frame of html, head, title and body around them.
QStringList TextToHtml(const QStringList &lines, const TEntityMap &entities);

} // namespace Conversions
