// The character map's table: special characters with their entity texts and names, read from
// Data/Characters.dat. The entity conversions take their rows from it, in file order.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct TCharacterRow
{
    QString Character;
    QString Entity; // empty when the line had no second field
    QString Name;
};

// Rows from the file's lines. Each line is trimmed of codes 0 to 32 at both ends; an empty line,
// or one whose first or second character is "/", is no row. Fields are split at single blanks:
// the character up to the first blank, the entity up to the next, the name is the rest. Two blanks
// after the character leave the entity empty, so the name moves into its place (the list shows
// fields in order, empty ones left out).
QList<TCharacterRow> ParseCharacterTable(const QStringList &lines);

struct TCharacterTableFile
{
    QList<TCharacterRow> Rows;
    QString Error; // empty when the file was read
};

// Reads the UTF-8 file; a file that cannot be read, or is not text, gives an error and no rows.
TCharacterTableFile LoadCharacterTable(const QString &path);

// The message shown at start-up when the table cannot be read.
QString CharacterTableErrorText();
