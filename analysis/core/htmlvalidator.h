// Checks the tags of a page against the known tag names and collects and tests its links.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

// Raised by Validate when no tag names were loaded (or the tag data file held none).
class ENoTagDataLoaded : public std::runtime_error
{
public:
    ENoTagDataLoaded() : std::runtime_error("No Tag Data loaded!") {}
    QString Message() const { return QString::fromUtf8(what()); }
};

// Raised by LoadTagData when the tag data file cannot be read.
class EFileOpenError : public std::runtime_error
{
public:
    EFileOpenError(const QString &fileName, const QString &reason);
    QString Message() const { return QString::fromUtf8(what()); }
};

enum class TErrorKind { UnknownTag, NoEndTag };

// One finding of the syntax check.
struct TError
{
    int Line = 0; // counted from 0
    QString Msg;  // the complete text shown to the user, beginning with the line number and ":"
    TErrorKind Kind = TErrorKind::UnknownTag;
    QString Name; // the tag's name as written
    bool IsEndTag = false;
    qsizetype Offset = 0; // of the tag's "<" in the checked text, counted from 0
};

// One src, href or background value of a tag.
struct TLink
{
    QString URL;      // as written, without surrounding double quotes
    QString FileName; // local: the full path of the file it names; otherwise the URL
    QString TagName;  // as written
    bool Exists = false;
    int Line = 0; // of the tag, counted from 0
    bool IsLocal = false;
    qsizetype Offset = 0; // of the tag's "<" in the checked text
};
// Strings and plain values only: a list of links may grow by moving its memory.
Q_DECLARE_TYPEINFO(TLink, Q_RELOCATABLE_TYPE);

// One tag as the validator sees it: name as written, parameters as written. It is a view of the
// page's text (the validator keeps every text it checked), and splits the parameters only when
// asked, so that a large page costs no copies.
class THTMLTag
{
public:
    // text runs from "<" to ">" inclusive and must outlive the tag.
    // offset is where text starts in the checked page.
    THTMLTag(QStringView text, int line, qsizetype offset = 0);

    // Without "<" and without the "/" of an end tag; blanks, tabs, line breaks and ">" end it,
    // and so does the "/" of a closing "/>".
    QStringView Name() const { return Text().mid(NameStart(), m_NameLength); }
    int Line() const { return m_Line; }
    bool IsEndTag() const { return m_IsEndTag; }
    // Written as "<br/>" or "<a name=x />": closed by itself, as XHTML pages write it.
    bool IsSelfClosing() const { return m_IsSelfClosing; }

    // Parameters end at whitespace outside quotes, at any ">" and at the "/" of a closing "/>";
    // text after the last separator is dropped. Blanks around "=" stay inside the parameter
    // ("href = x" is one). A double quote toggles quoting anywhere; a
    // single quote quotes a value that starts with it, up to the next single quote.
    QStringList Params() const;
    int ParamCount() const;
    QString GetParam(int index) const; // empty when there is no such parameter
    // Steps through the parameters without copying them: start with pos 0, stops on false.
    bool NextParam(qsizetype &pos, QStringView &param) const;
    // From "<" to ">" inclusive, as written.
    QStringView Text() const { return QStringView(m_Text, m_Length); }
    qsizetype Offset() const { return m_Offset; }

private:
    // After the "<" (when the text has one) and the "/" of an end tag.
    qsizetype NameStart() const { return (m_Length > 0 && m_Text[0] == u'<') + qsizetype(m_IsEndTag); }

    // 24 bytes: a large page holds millions of these.
    const QChar *m_Text = nullptr;
    qint32 m_Length = 0;
    qint32 m_Line = 0;
    qint32 m_Offset = 0;
    quint32 m_NameLength : 30 = 0; // a name past 2^30 characters is cut there
    quint32 m_IsEndTag : 1 = 0;
    quint32 m_IsSelfClosing : 1 = 0;
};
static_assert(sizeof(THTMLTag) <= 24);
Q_DECLARE_TYPEINFO(THTMLTag, Q_RELOCATABLE_TYPE);

// Each validator is meant for one check: Validate appends to Tags, CheckLinks to the links (it
// keeps no tags: a link carries its tag's name, line and offset).
class THTMLValidator
{
public:
    QString GetVersion() const { return QStringLiteral("Quillworks HTML Validator V. 0.1"); }

    // One name per line; "/NAME" needs an end tag. Empty lines are skipped. Names without "/"
    // come first in the file: a name needs an end tag when it first appears at or past
    // NoEndTagCount. Throws EFileOpenError.
    void LoadTagData(const QString &fileName);

    // Reports unknown tags and tags that need an end tag but have none. Comments, CDATA
    // sections and the contents of script and style hold no tags; inside svg and math every
    // element is foreign content, known and closed as its own rules say. Throws ENoTagDataLoaded.
    void Validate(const QString &text);

    // Collects every src, href and background value and tests whether the local ones exist,
    // resolving them against dir (the process's current directory is left alone).
    void CheckLinks(const QString &text, const QString &dir);

    int ErrorCount() const { return int(m_Errors.size()); }
    const TError &GetError(int index) const { return m_Errors.at(index); }
    int LinkCount() const { return int(m_Links.size()); }
    const TLink &GetLink(int index) const { return m_Links.at(index); }

    const QList<THTMLTag> &Tags() const { return m_Tags; }
    const QStringList &TagData() const { return m_TagData; }
    int NoEndTagCount() const { return m_NoEndTagCount; }
    const QString &Source() const { return m_Source; }

    // Case does not matter; a name containing "!--" (a comment), a declaration ("!DOCTYPE",
    // "![CDATA[") and a processing instruction ("?xml") are always known.
    bool IsKnownTag(const QString &name) const;
    bool NeedsEndTag(const QString &name) const;

    // Not local: a remote scheme (http:, https:, ftp:, gopher:, mailto: anywhere, or "www" at the
    // start, in any case), a network path ("//host/x.js"), or any other URL scheme but file:.
    static bool IsLocal(const QString &url);

    // The file a local link names: file: URLs taken as paths, fragment and query cut off,
    // %-escapes decoded, the result made absolute against dir and cleaned.
    static QString LocalFileName(const QString &url, const QString &dir);

    // "?xml", "!DOCTYPE", "![CDATA[": markup that is no element.
    static bool IsMarkupDeclaration(QStringView name);
    // "svg" and "math": their contents are foreign content.
    static bool IsForeignRoot(QStringView name);

private:
    void ExtractTags();
    // For every tag, whether it has an end tag; one pass over Tags.
    std::vector<bool> FindEndTags(const std::vector<int> &nameIds) const;
    std::vector<int> NameIds(QStringList *lowerNames) const;
    int TagDataIndex(const QString &lowerName) const;

    QList<TError> m_Errors;
    QList<THTMLTag> m_Tags;
    QStringList m_TagData;
    QHash<QString, int> m_TagDataIndex; // lower-cased name -> first position in TagData
    QString m_Source;
    QStringList m_Sources; // every text checked: the tags are views of them
    int m_NoEndTagCount = 0;
    QList<TLink> m_Links;
};
