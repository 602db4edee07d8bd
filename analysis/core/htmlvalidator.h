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

// One finding of the syntax check.
struct TError {
    int Line = 0;  // counted from 0
    QString Msg;   // the complete text shown to the user, beginning with the line number and ":"
};

// One src, href or background value of a tag.
struct TLink {
    QString URL;       // as written, without surrounding double quotes
    QString FileName;  // local: the full path of the file it names; otherwise the URL
    QString TagName;   // as written
    bool Exists = false;
    int Line = 0;      // of the tag, counted from 0
    bool IsLocal = false;
};

// One tag as the validator sees it: name as written, parameters as written.
class THTMLTag
{
public:
    // text runs from "<" to ">" inclusive.
    THTMLTag(QStringView text, int line);

    const QString &Name() const { return m_Name; }
    const QStringList &Params() const { return m_Params; }
    int Line() const { return m_Line; }
    bool IsEndTag() const { return m_IsEndTag; }
    int ParamCount() const { return int(m_Params.size()); }
    QString GetParam(int index) const { return m_Params.at(index); }

private:
    QString m_Name;
    QStringList m_Params;
    int m_Line = 0;
    bool m_IsEndTag = false;
};

// Each validator is meant for one check: Validate and CheckLinks append to Tags.
class THTMLValidator
{
public:
    QString GetVersion() const { return QStringLiteral("Quillworks HTML Validator V. 0.1"); }

    // One name per line; "/NAME" needs an end tag. Empty lines are skipped. Names without "/"
    // come first in the file: a name needs an end tag when it first appears at or past
    // NoEndTagCount. Throws EFileOpenError.
    void LoadTagData(const QString &fileName);

    // Reports unknown tags and tags that need an end tag but have none. Throws ENoTagDataLoaded.
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

    // Case does not matter; a name containing "!--" (a comment) is always known.
    bool IsKnownTag(const QString &name) const;
    bool NeedsEndTag(const QString &name) const;

    // Not local: a remote scheme (http:, https:, ftp:, gopher:, mailto: anywhere, or "www" at the
    // start, in any case), or any other URL scheme but file:.
    static bool IsLocal(const QString &url);

    // The file a local link names: file: URLs taken as paths, fragment and query cut off,
    // %-escapes decoded, the result made absolute against dir and cleaned.
    static QString LocalFileName(const QString &url, const QString &dir);

private:
    void ExtractTags();
    // For every tag, whether it has an end tag; one pass over Tags.
    std::vector<bool> FindEndTags(const std::vector<int> &nameIds) const;
    std::vector<int> NameIds(QStringList *lowerNames) const;
    int TagDataIndex(const QString &lowerName) const;

    QList<TError> m_Errors;
    QList<THTMLTag> m_Tags;
    QStringList m_TagData;
    QHash<QString, int> m_TagDataIndex;  // lower-cased name -> first position in TagData
    QString m_Source;
    int m_NoEndTagCount = 0;
    QList<TLink> m_Links;
};
