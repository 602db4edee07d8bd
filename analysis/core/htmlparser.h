// Splits the lines of a page into a flat list of tag and text records with their positions.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <vector>

// Positions: the document counts from 0 at its first character and every line break counts two.
// A tag written on one line with "<" at p and ">" at q gets StartPos p + 1 and EndPos q + 2,
// which in the editor's 1-based character positions select exactly "<...>". A text that starts
// at s and is ended by a "<" at p gets StartPos s and EndPos p. Texts running over several lines
// and tags broken over lines drift by the line breaks; that is the rule the tree view was built on.
//
// Records keep their raw text by sharing the parsed line (no copy) and work out names, values and
// decoded text from it when asked, so that parsing a large page allocates little.

// The raw text of a record or parameter, a piece of a shared string, and the characters it
// selects in the editor.
class TRawText
{
public:
    void SetRaw(const QString &source, qsizetype start, qsizetype length)
    {
        m_Source = source;
        m_Start = start;
        m_Length = length;
    }
    QStringView Raw() const { return QStringView(m_Source).mid(m_Start, m_Length); }

    int StartPos() const { return m_StartPos; }
    int EndPos() const { return m_EndPos; }
    void SetStartPos(int pos) { m_StartPos = pos; }
    void SetEndPos(int pos) { m_EndPos = pos; }

private:
    QString m_Source; // shares the line (or the joined lines) the text came from
    qsizetype m_Start = 0;
    qsizetype m_Length = 0;
    int m_StartPos = 0;
    int m_EndPos = 0;
};

// One attribute of a tag, e.g. width="100".
class THPHTMLParam : public TRawText
{
public:
    void Parse(const QString &raw) { Parse(raw, 0, raw.size()); }
    void Parse(const QString &source, qsizetype start, qsizetype length);

    // Upper-cased text before the first "=", or the whole parameter when it has none.
    QString Name() const;
    // Text after the first "=" without one pair of surrounding double quotes; empty without "=".
    QStringView Value() const;

private:
    qsizetype m_Equals = -1; // index of the first "=" in Raw
};

// What tags and texts have in common; the parser's Items hold these.
class THPHTMLItem : public TRawText
{
public:
    virtual ~THPHTMLItem() = default;
};

// One tag: the text between "<" and ">" with its parameters split out.
class THPHTMLTag : public THPHTMLItem
{
public:
    // Parameters are separated by blanks outside double quotes; tabs do not separate.
    void Parse(const QString &raw) { Parse(raw, 0, raw.size()); }
    void Parse(const QString &source, qsizetype start, qsizetype length);

    // The text up to the first blank, upper-cased: "/P" for an end tag, "!--" for a comment.
    QString Name() const;
    const std::vector<THPHTMLParam> &Params() const { return m_Params; }

    // Sets the tag's positions and moves its parameters along: until the tag is placed they are
    // positioned as if it started at 0, so a parameter selects its own text in the tag's scale.
    void Place(int startPos, int endPos);

private:
    std::vector<THPHTMLParam> m_Params;
};

// One stretch of text between tags.
class THPHTMLText : public THPHTMLItem
{
public:
    void Parse(const QString &raw) { Parse(raw, 0, raw.size()); }
    void Parse(const QString &source, qsizetype start, qsizetype length) { SetRaw(source, start, length); }

    // Line feeds turned into blanks, runs of blanks collapsed, character references decoded.
    QString Text() const;
};

class THTMLParser
{
public:
    THTMLParser() = default;
    THTMLParser(const THTMLParser &) = delete;
    THTMLParser &operator=(const THTMLParser &) = delete;

    // The input, one entry per line without its line break; the caller fills it.
    QStringList &Lines() { return m_Lines; }
    const QStringList &Lines() const { return m_Lines; }
    void SetLines(const QStringList &lines) { m_Lines = lines; }

    // Parses Lines and appends the records to Items. A parser is meant to run once: the running
    // line start is not reset, so a second run continues the positions.
    void Execute();

    // The records in document order; tell tags from texts with dynamic_cast.
    const std::vector<std::unique_ptr<THPHTMLItem>> &Items() const { return m_Items; }

    bool InTag() const { return m_InTag; }
    int LineStart() const { return m_LineStart; }

private:
    // The characters collected since the last "<" or ">": pieces of earlier lines in the buffer,
    // then the run of the current line from m_RunStart up to the character being processed.
    void KeepRun(const QString &line, qsizetype end);
    void FlushText(const QString &line, qsizetype end);
    void FlushTag(const QString &line, qsizetype end);

    QString m_TextBuffer;
    QString m_TagBuffer;
    qsizetype m_RunStart = 0;
    bool m_InTag = false;
    int m_LineStart = 0;
    int m_ParsePos = 0;  // position of the character being processed
    int m_TextStart = 1; // 1-based position where the running text began
    std::vector<std::unique_ptr<THPHTMLItem>> m_Items;
    QStringList m_Lines;
};
