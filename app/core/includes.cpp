// Include expansion: "#include{file}" directives replaced by the named file's text.
#include "app/core/includes.h"

#include "platform/core/inputfile.h"
#include "platform/core/textdecoding.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace Includes {

namespace {

const QString kDirective = QStringLiteral("#include");
const QString kCrLf = QStringLiteral("\r\n");

struct TDirective
{
    qsizetype Start = -1;    // of "#include"
    qsizetype NameEnd = 0;   // at "}" or the line's end
    qsizetype RemoveEnd = 0; // past the directive, its closing brace and the line break after it
    QString Name;
};

// The next directive at or after from; any "#include" not followed by "{" on its line is text.
TDirective FindDirective(const QString &text, qsizetype from)
{
    TDirective d;
    const qsizetype n = text.size();
    for (qsizetype start = text.indexOf(kDirective, from, Qt::CaseInsensitive); start >= 0;
         start = text.indexOf(kDirective, start + kDirective.size(), Qt::CaseInsensitive)) {
        qsizetype brace = start + kDirective.size();
        while (brace < n && (text.at(brace) == u' ' || text.at(brace) == u'\t'))
            ++brace;
        if (brace >= n || text.at(brace) != u'{')
            continue;
        qsizetype nameEnd = brace + 1;
        while (nameEnd < n && text.at(nameEnd) != u'}' && text.at(nameEnd) != u'\r' && text.at(nameEnd) != u'\n')
            ++nameEnd;
        qsizetype removeEnd = nameEnd;
        if (removeEnd < n && text.at(removeEnd) == u'}')
            ++removeEnd;
        if (text.mid(removeEnd, 2) == kCrLf)
            removeEnd += 2;
        else if (removeEnd < n && (text.at(removeEnd) == u'\r' || text.at(removeEnd) == u'\n'))
            ++removeEnd;
        d.Start = start;
        d.NameEnd = nameEnd;
        d.RemoveEnd = removeEnd;
        d.Name = text.mid(brace + 1, nameEnd - brace - 1);
        return d;
    }
    return d;
}

class TExpander
{
public:
    TExpander(TExpansion &result, const QString &baseDir, const FileReader &read, const StatusSink &status)
        : m_Result(result), m_BaseDir(baseDir), m_Read(read), m_Status(status)
    {}

    // Appends text (of file fileIndex) expanded to the result. False once expansion failed:
    // from then on text is copied as it stands, so the result keeps every later directive raw.
    bool Expand(int fileIndex, QStringList &chain)
    {
        // A copy (shared, not duplicated): FileTexts grows while this file is expanded.
        const QString text = m_Result.FileTexts.at(fileIndex);
        qsizetype pos = 0;
        while (!m_Failed) {
            const TDirective d = FindDirective(text, pos);
            if (d.Start < 0)
                break;
            Copy(fileIndex, pos, d.Start - pos);
            pos = d.Start;
            if (m_Status)
                m_Status(QStringLiteral("Including \"%1\"...").arg(d.Name));
            // Nested names are taken relative to the page, like the page's own.
            const QString path =
                QDir::cleanPath(QFileInfo(d.Name).isAbsolute()
                                    ? d.Name
                                    : QDir(m_BaseDir.isEmpty() ? QDir::currentPath() : m_BaseDir).filePath(d.Name));
            const TResolved resolved = Resolve(path); // a copy: the recursion below grows the table
            const QString &canonical = resolved.Canonical;
            if (!canonical.isEmpty() && chain.contains(canonical)) {
                Fail(QStringLiteral("File %1 includes itself!").arg(d.Name));
                break;
            }
            if (chain.size() >= kMaxDepth) {
                Fail(QStringLiteral("Includes nested deeper than %1 levels at File %2!").arg(kMaxDepth).arg(d.Name));
                break;
            }
            if (m_Includes >= kMaxIncludes) {
                Fail(QStringLiteral("More than %1 includes at File %2!").arg(kMaxIncludes).arg(d.Name));
                break;
            }
            // A file included many times is read once.
            const QString key = canonical.isEmpty() ? path : canonical;
            std::optional<QString> included;
            if (const auto known = m_Index.constFind(key); known != m_Index.cend())
                included = m_Result.FileTexts.at(*known);
            else if (resolved.IsFile)
                included = m_Read(path);
            if (!included) {
                Fail(QStringLiteral("Unable to include File %1!").arg(d.Name));
                break;
            }
            if (included->contains(QChar(0))) {
                Fail(QStringLiteral("File %1 is binary, not text!").arg(d.Name));
                break;
            }
            if (m_Result.Text.size() + included->size() > kMaxExpandedChars) {
                Fail(QStringLiteral("Expanded page larger than %1 MB at File %2!")
                         .arg(kMaxExpandedChars >> 20)
                         .arg(d.Name));
                break;
            }
            m_Result.Expanded = true;
            ++m_Includes;
            const int includedIndex = FileIndex(key, *included);
            chain.append(canonical);
            const bool ok = Expand(includedIndex, chain);
            chain.removeLast();
            pos = d.RemoveEnd;
            if (!ok)
                break;
        }
        // After a failure the rest stays as written, the failing directive included.
        Copy(fileIndex, pos, text.size() - pos);
        return !m_Failed;
    }

private:
    struct TResolved
    {
        QString Canonical; // empty when the file does not exist
        bool IsFile = false;
    };

    // A name met again is not looked up on disk again.
    const TResolved &Resolve(const QString &path)
    {
        auto it = m_Resolved.find(path);
        if (it == m_Resolved.end()) {
            const QFileInfo info(path);
            it = m_Resolved.insert(path, TResolved{info.canonicalFilePath(), info.isFile()});
        }
        return *it;
    }

    void Fail(const QString &message)
    {
        m_Failed = true;
        m_Result.Failed = true;
        m_Result.Error = QStringLiteral("\"%1\"").arg(message);
        // The directive is copied next, as written.
        m_Result.ErrorOffset = m_Result.Text.size();
        if (m_Status)
            m_Status(QStringLiteral("!! Error: ") + m_Result.Error);
    }

    void Copy(int fileIndex, qsizetype from, qsizetype length)
    {
        if (length <= 0)
            return;
        TSourceSpan span{m_Result.Text.size(), length, fileIndex, from};
        m_Result.Text.append(QStringView(m_Result.FileTexts.at(fileIndex)).mid(from, length));
        m_Result.Spans.append(span);
    }

    int FileIndex(const QString &path, const QString &text)
    {
        auto it = m_Index.constFind(path);
        if (it != m_Index.cend())
            return *it;
        m_Result.Files.append(path);
        m_Result.FileTexts.append(text);
        const int index = int(m_Result.Files.size()) - 1;
        m_Index.insert(path, index);
        return index;
    }

    TExpansion &m_Result;
    const QString m_BaseDir;
    const FileReader &m_Read;
    const StatusSink &m_Status;
    QHash<QString, int> m_Index;
    QHash<QString, TResolved> m_Resolved;
    int m_Includes = 0;
    bool m_Failed = false;
};

} // namespace

TExpansion ExpandIncludes(const QString &text, const QString &baseDir, const FileReader &read, const StatusSink &status)
{
    TExpansion result;
    result.Files.append(QString());
    result.FileTexts.append(text);
    result.Text.reserve(text.size());
    TExpander expander(result, baseDir, read, status);
    QStringList chain;
    expander.Expand(0, chain);
    if (!result.Expanded) { // nothing changed: no need to keep a copy of the page's text
        result.Text = text;
        result.Spans = {TSourceSpan{0, text.size(), 0, 0}};
    }
    return result;
}

TSourcePosition TExpansion::Locate(qsizetype offset) const
{
    TSourcePosition position;
    if (Spans.isEmpty())
        return position;
    auto it = std::upper_bound(Spans.cbegin(), Spans.cend(), offset,
                               [](qsizetype o, const TSourceSpan &span) { return o < span.Start; });
    if (it != Spans.cbegin())
        --it;
    position.File = it->File;
    const QString &source = FileTexts.at(it->File);
    const qsizetype at = std::clamp<qsizetype>(it->SourceStart + (offset - it->Start), 0, source.size());
    // Lines end at CR LF, LF or CR, as the checks count them.
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < at; ++i) {
        const QChar c = source.at(i);
        if (c == u'\n' || (c == u'\r' && (i + 1 >= source.size() || source.at(i + 1) != u'\n'))) {
            ++position.Line;
            lineStart = i + 1;
        }
    }
    position.Column = int(at - lineStart);
    return position;
}

std::optional<QString> ReadIncludeFile(const QString &path)
{
    const InputFile::TRead read = InputFile::ReadRegularFile(path);
    if (!read.Error.isEmpty())
        return std::nullopt;
    QString text = DecodeFileBytes(read.Bytes).Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.isEmpty())
        return QString();
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), kCrLf);
    return text;
}

static QString WithSuffix(const QString &path, const QString &suffix)
{
    const QFileInfo info(path);
    const QString base = info.completeSuffix().isEmpty() ? path : path.left(path.size() - info.suffix().size() - 1);
    return base + suffix;
}

QString ExpandedPathFor(const QString &path)
{
    return WithSuffix(path, QStringLiteral(".html"));
}

QString SourcePathFor(const QString &path)
{
    return WithSuffix(path, QStringLiteral(".htc"));
}

} // namespace Includes
