// Splits the lines of a page into a flat list of tag and text records with their positions.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Positions: the document counts from 0 at its first character and every line break counts two.
// A tag written on one line with "<" at p and ">" at q gets StartPos p + 1 and EndPos q + 2, which
// in the editor's 1-based character positions select exactly "<...>". A text that starts at s and is
// ended by a "<" at p gets StartPos s and EndPos p. Texts running over several lines and tags
// broken over lines drift by the line breaks; that is the rule the tree view was built on.

// One attribute of a tag, e.g. width="100".
class THPHTMLParam
{
public:
    void Parse(const QString &raw);

    const QString &Raw() const { return m_Raw; }
    const QString &Name() const { return m_Name; }
    const QString &Value() const { return m_Value; }
    int StartPos() const { return m_StartPos; }
    int EndPos() const { return m_EndPos; }
    void SetStartPos(int pos) { m_StartPos = pos; }
    void SetEndPos(int pos) { m_EndPos = pos; }

private:
    QString m_Raw;
    QString m_Name;
    QString m_Value;
    int m_StartPos = 0;
    int m_EndPos = 0;
};

// What tags and texts have in common; the parser's Items hold these.
class THPHTMLItem
{
public:
    virtual ~THPHTMLItem() = default;

    const QString &Raw() const { return m_Raw; }
    int StartPos() const { return m_StartPos; }
    int EndPos() const { return m_EndPos; }
    virtual void SetStartPos(int pos) { m_StartPos = pos; }
    void SetEndPos(int pos) { m_EndPos = pos; }

protected:
    QString m_Raw;
    int m_StartPos = 0;
    int m_EndPos = 0;
};

// One tag: the text between "<" and ">" with its name and parameters split out.
class THPHTMLTag : public THPHTMLItem
{
public:
    // Name: the text up to the first blank, upper-cased ("/P" for an end tag). Parameters are
    // separated by blanks outside double quotes; tabs do not separate.
    void Parse(const QString &raw);

    const QString &Name() const { return m_Name; }
    const std::vector<THPHTMLParam> &Params() const { return m_Params; }

    // Moves the parameters along: until the tag is placed they are positioned as if it started at 0,
    // so a parameter always selects its own text in the same scale as its tag.
    void SetStartPos(int pos) override;

private:
    QString m_Name;
    std::vector<THPHTMLParam> m_Params;
};

// One stretch of text between tags: blanks collapsed and character references decoded.
class THPHTMLText : public THPHTMLItem
{
public:
    void Parse(const QString &raw);

    const QString &Text() const { return m_Text; }

private:
    QString m_Text;
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
    void FlushText();
    void FlushTag();

    QString m_TextBuffer;
    QString m_TagBuffer;
    bool m_InTag = false;
    int m_LineStart = 0;
    int m_ParsePos = 0;  // position of the character being processed
    std::vector<std::unique_ptr<THPHTMLItem>> m_Items;
    QStringList m_Lines;
};
