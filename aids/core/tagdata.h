// The tag data files: known tag names (tags.dat) and the parameters of each tag (insight.dat).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One entry of insight.dat: a tag name and its parameter lines ("NAME=description") in file order.
class TMyHTMLTag
{
public:
    TMyHTMLTag() = default;
    explicit TMyHTMLTag(const QString &name) : Name(name) {}

    QString Name;
    QStringList Strings;
};

// The known tag names, sorted; every comparison ignores case.
class TTagNames
{
public:
    // Takes the lines of tags.dat: a leading "/" (the tag needs an end tag) is dropped,
    // empty lines stay as empty names.
    void Assign(const QStringList &lines);
    void Clear() { m_names.clear(); }
    int Count() const { return int(m_names.size()); }
    const QStringList &Strings() const { return m_names; }
    bool IsKnownTag(const QString &name) const;

private:
    QStringList m_names;
};

namespace TagData {

// Reads a text file into lines; CR LF, LF and CR all end a line. False when it cannot be read.
bool ReadLines(const QString &fileName, QStringList &lines);

// Blanks and control characters are trimmed from both ends of an insight line.
QString TrimLine(const QString &line);

// Builds the insight entries from the lines of insight.dat.
QList<TMyHTMLTag> ParseInsightData(const QStringList &lines);

// Loaders for start-up. A file that cannot be read leaves the list empty and answers false.
bool LoadTagNames(const QString &fileName, TTagNames &names);
bool LoadInsightData(const QString &fileName, QList<TMyHTMLTag> &tags);

// What the user is told when a file is missing; the insight text asks whether to go on.
QString TagNamesErrorText();
QString InsightErrorText();

} // namespace TagData
