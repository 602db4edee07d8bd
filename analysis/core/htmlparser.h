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
// The parser keeps its records as plain values in a few large blocks: a record names its raw text
// by the line it lies in (or, for one running over lines, by where the parser keeps its pieces
// joined) and works out names, values and decoded text when asked. Parsing a large page then
// allocates a few large blocks rather than one per record, and freeing the parser gives them back.
// The classes below are views of one record: they stay valid while the parser lives and its lines
// are left as they were parsed.

class THTMLParser;

// One attribute of a tag, e.g. width="100".
class THPHTMLParam
{
public:
    THPHTMLParam() = default;
    THPHTMLParam(QStringView raw, int startPos, int endPos) : m_Raw(raw), m_StartPos(startPos), m_EndPos(endPos) {}

    QStringView Raw() const { return m_Raw; }
    int StartPos() const { return m_StartPos; }
    int EndPos() const { return m_EndPos; }

    // Upper-cased text before the first "=", or the whole parameter when it has none.
    QString Name() const;
    // Text after the first "=" without one pair of surrounding double quotes; empty without "=".
    QStringView Value() const;

private:
    QStringView m_Raw;
    int m_StartPos = 0;
    int m_EndPos = 0;
};

// One stretch of text between tags.
class THPHTMLText
{
public:
    THPHTMLText() = default;
    explicit THPHTMLText(QStringView raw, int startPos = 0, int endPos = 0)
        : m_Raw(raw), m_StartPos(startPos), m_EndPos(endPos)
    {}

    QStringView Raw() const { return m_Raw; }
    int StartPos() const { return m_StartPos; }
    int EndPos() const { return m_EndPos; }

    // Line feeds turned into blanks, runs of blanks collapsed, character references decoded.
    QString Text() const;

private:
    QStringView m_Raw;
    int m_StartPos = 0;
    int m_EndPos = 0;
};

// The parameters of one tag, in the order written.
class THPHTMLParams
{
public:
    class const_iterator
    {
    public:
        using value_type = THPHTMLParam;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        const_iterator(const THTMLParser *parser, QStringView tagRaw, int tagStartPos, int index)
            : m_Parser(parser), m_TagRaw(tagRaw), m_TagStartPos(tagStartPos), m_Index(index)
        {}
        THPHTMLParam operator*() const { return At(m_Parser, m_TagRaw, m_TagStartPos, m_Index); }
        const_iterator &operator++()
        {
            ++m_Index;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++m_Index;
            return old;
        }
        bool operator==(const const_iterator &other) const { return m_Index == other.m_Index; }

    private:
        const THTMLParser *m_Parser = nullptr;
        QStringView m_TagRaw;
        int m_TagStartPos = 0;
        int m_Index = 0; // among all the parser's parameters
    };

    THPHTMLParams(const THTMLParser *parser, QStringView tagRaw, int tagStartPos, int first, int count)
        : m_Parser(parser), m_TagRaw(tagRaw), m_TagStartPos(tagStartPos), m_First(first), m_Count(count)
    {}

    int size() const { return m_Count; }
    bool empty() const { return m_Count == 0; }
    THPHTMLParam operator[](int index) const { return At(m_Parser, m_TagRaw, m_TagStartPos, m_First + index); }
    const_iterator begin() const { return {m_Parser, m_TagRaw, m_TagStartPos, m_First}; }
    const_iterator end() const { return {m_Parser, m_TagRaw, m_TagStartPos, m_First + m_Count}; }

private:
    static THPHTMLParam At(const THTMLParser *parser, QStringView tagRaw, int tagStartPos, int index);

    const THTMLParser *m_Parser;
    QStringView m_TagRaw;
    int m_TagStartPos;
    int m_First;
    int m_Count;
};

// One tag: the text between "<" and ">" with its parameters split out.
class THPHTMLTag
{
public:
    THPHTMLTag(const THTMLParser *parser, int index) : m_Parser(parser), m_Index(index) {}

    QStringView Raw() const;
    int StartPos() const;
    int EndPos() const;
    // The text up to the first blank, upper-cased: "/P" for an end tag, "!--" for a comment.
    QString Name() const;
    // Parameters are separated by blanks outside double quotes; tabs do not separate.
    THPHTMLParams Params() const;

private:
    const THTMLParser *m_Parser;
    int m_Index;
};

// One record of a parse, a tag or a text.
class THPHTMLItem
{
public:
    THPHTMLItem(const THTMLParser *parser, int index) : m_Parser(parser), m_Index(index) {}

    bool IsTag() const;
    THPHTMLTag Tag() const { return THPHTMLTag(m_Parser, m_Index); } // when IsTag
    THPHTMLText Text() const;                                        // when not IsTag
    QStringView Raw() const;
    int StartPos() const;
    int EndPos() const;

private:
    const THTMLParser *m_Parser;
    int m_Index;
};

// Plain values in blocks of a fixed size: growing never copies what is stored, and a large parse
// takes its memory in a few large pieces that go back to the system when freed.
template <typename T>
class TBlockArray
{
public:
    int size() const { return m_Size; }
    const T &operator[](int i) const { return m_Blocks[size_t(i) >> kShift][size_t(i) & kMask]; }
    T &operator[](int i) { return m_Blocks[size_t(i) >> kShift][size_t(i) & kMask]; }
    T &emplace_back()
    {
        if ((size_t(m_Size) & kMask) == 0)
            m_Blocks.push_back(std::make_unique_for_overwrite<T[]>(kMask + 1));
        T &item = (*this)[m_Size++];
        item = T{};
        return item;
    }

private:
    static constexpr size_t kShift = 16;
    static constexpr size_t kMask = (size_t(1) << kShift) - 1;
    std::vector<std::unique_ptr<T[]>> m_Blocks;
    int m_Size = 0;
};

class THTMLParser
{
public:
    class TItems
    {
    public:
        class const_iterator
        {
        public:
            using value_type = THPHTMLItem;
            using difference_type = std::ptrdiff_t;
            const_iterator() = default;
            const_iterator(const THTMLParser *parser, int index) : m_Parser(parser), m_Index(index) {}
            THPHTMLItem operator*() const { return THPHTMLItem(m_Parser, m_Index); }
            const_iterator &operator++()
            {
                ++m_Index;
                return *this;
            }
            const_iterator operator++(int)
            {
                const_iterator old = *this;
                ++m_Index;
                return old;
            }
            bool operator==(const const_iterator &other) const { return m_Index == other.m_Index; }

        private:
            const THTMLParser *m_Parser = nullptr;
            int m_Index = 0;
        };

        explicit TItems(const THTMLParser *parser) : m_Parser(parser) {}
        int size() const { return m_Parser->Count(); }
        bool empty() const { return size() == 0; }
        THPHTMLItem operator[](int index) const { return THPHTMLItem(m_Parser, index); }
        const_iterator begin() const { return {m_Parser, 0}; }
        const_iterator end() const { return {m_Parser, size()}; }

    private:
        const THTMLParser *m_Parser;
    };

    THTMLParser() = default;
    THTMLParser(const THTMLParser &) = delete;
    THTMLParser &operator=(const THTMLParser &) = delete;

    // The input, one entry per line without its line break; the caller fills it. The records
    // read their text from these lines: leave them as they are while the records are used.
    QStringList &Lines() { return m_Lines; }
    const QStringList &Lines() const { return m_Lines; }
    void SetLines(const QStringList &lines) { m_Lines = lines; }

    // Parses Lines and appends the records to Items. A parser is meant to run once: the running
    // line start is not reset, so a second run continues the positions.
    void Execute();

    // The records in document order; tell tags from texts with IsTag.
    TItems Items() const { return TItems(this); }
    int Count() const { return m_Records.size(); }

    bool InTag() const { return m_InTag; }
    int LineStart() const { return m_LineStart; }

private:
    friend class THPHTMLItem;
    friend class THPHTMLTag;
    friend class THPHTMLParams;

    // A record's raw text lies in line Source from Start on, or, when Source is negative, in
    // m_Joined[-1 - Source]. A tag's EndPos is its StartPos + Length + 2 ("<" and ">" around the
    // raw text, however many lines it spans); a text's is stored.
    static constexpr int kNoLine = -1;
    struct TRecord
    {
        qint32 StartPos;
        qint32 Source;
        quint32 Start;
        quint32 Length : 31;
        quint32 IsTag : 1;
        qint32 Extra; // a tag: its first parameter; a text: its EndPos
    };
    // A parameter's raw text, as a piece of its tag's.
    struct TParamSpan
    {
        quint32 Start;
        quint32 Length;
    };

    QStringView RawOf(const TRecord &record) const;
    int ParamEnd(int index) const; // past the last parameter of the tag at index

    // The characters collected since the last "<" or ">": pieces of earlier lines in the buffer,
    // then the run of the current line from m_RunStart up to the character being processed.
    void KeepRun(const QString &line, qsizetype end);
    void FlushText(int lineIndex, const QString &line, qsizetype end);
    void FlushTag(int lineIndex, const QString &line, qsizetype end);
    // Where a record's raw text lies: in the line, or the buffer moved to m_Joined.
    void PlaceRaw(TRecord &record, int lineIndex, qsizetype start, qsizetype length, QString *buffer);
    void SplitParams(QStringView raw);

    QString m_TextBuffer;
    QString m_TagBuffer;
    qsizetype m_RunStart = 0;
    bool m_InTag = false;
    int m_LineStart = 0;
    int m_ParsePos = 0;  // position of the character being processed
    int m_TextStart = 1; // 1-based position where the running text began
    TBlockArray<TRecord> m_Records;
    TBlockArray<TParamSpan> m_Params;
    // The raw text of records that ran over lines, one after the other, in pieces of a fixed
    // size: a growing piece would hold its old and its new copy at once.
    std::vector<QString> m_Joined;
    QStringList m_Lines;
};
