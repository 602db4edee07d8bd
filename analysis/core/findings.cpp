// Findings of the checks as compilers report theirs: file, line and column from 1, message.
#include "analysis/core/findings.h"

#include <QSet>

#include <algorithm>
#include <memory>

TLineIndex::TLineIndex(QStringView text)
{
    m_Starts.push_back(0);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\n' || (c == u'\r' && (i + 1 >= n || text[i + 1] != u'\n')))
            m_Starts.push_back(i + 1);
    }
}

TTextPosition TLineIndex::Position(qsizetype offset) const
{
    const auto it = std::upper_bound(m_Starts.cbegin(), m_Starts.cend(), offset);
    const qsizetype line = std::max<qsizetype>(0, (it - m_Starts.cbegin()) - 1);
    TTextPosition position;
    position.Line = int(line);
    position.Column = int(offset - m_Starts[size_t(line)]);
    return position;
}

TFinding PlaceFinding(const TCheckedText &page, const QString &pageName, qsizetype offset)
{
    TTextPosition position;
    if (page.Locate) {
        position = page.Locate(offset);
    } else {
        position = TLineIndex(page.Text).Position(offset);
    }
    TFinding finding;
    finding.File = position.File.isEmpty() ? pageName : position.File;
    finding.Line = position.Line + 1;
    finding.Column = position.Column + 1;
    return finding;
}

QList<TFinding> SyntaxFindings(const THTMLValidator &validator, const TCheckedText &page, const QString &pageName)
{
    QList<TFinding> findings;
    // Built on the first finding only: most pages have none.
    std::unique_ptr<TLineIndex> lines;
    QSet<QString> unknownNames;
    // A problem met while expanding stands where its directive is, among the tags.
    bool problemPending = !page.Problem.isEmpty();
    const auto addProblem = [&] {
        TFinding finding = PlaceFinding(page, pageName, page.ProblemOffset);
        finding.Message = page.Problem;
        findings.append(finding);
        problemPending = false;
    };
    for (int i = 0; i < validator.ErrorCount(); ++i) {
        const TError &error = validator.GetError(i);
        if (error.Kind == TErrorKind::UnknownTag) {
            const QString lower = error.Name.toLower();
            if (error.IsEndTag && unknownNames.contains(lower))
                continue;
            unknownNames.insert(lower);
        }
        if (problemPending && page.ProblemOffset <= error.Offset)
            addProblem();
        TFinding finding;
        if (page.Locate) {
            finding = PlaceFinding(page, pageName, error.Offset);
        } else {
            if (!lines)
                lines = std::make_unique<TLineIndex>(page.Text);
            const TTextPosition position = lines->Position(error.Offset);
            finding.File = pageName;
            finding.Line = position.Line + 1;
            finding.Column = position.Column + 1;
        }
        const QString shown = (error.IsEndTag ? QStringLiteral("</") : QStringLiteral("<")) + error.Name + u'>';
        finding.Message = error.Kind == TErrorKind::UnknownTag
                              ? QStringLiteral("unknown element %1").arg(shown)
                              : QStringLiteral("element %1 has no end tag (missing </%2>)").arg(shown, error.Name);
        findings.append(finding);
    }
    if (problemPending)
        addProblem();
    return findings;
}
