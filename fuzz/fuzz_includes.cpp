// Include expansion over a fixed set of files whose texts come from the input: it ends, asks for
// nothing outside the set, and what it gives is pieces of the files in order, each directive
// replaced or, after a failure, left as written.
#include "fuzz/fuzzcheck.h"

#include "app/core/includes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace {

// More files than the nesting limit, so that chains can run past it.
constexpr int kFiles = Includes::kMaxDepth + 4;

struct TFileSet
{
    QTemporaryDir Dir{QDir::tempPath() + QStringLiteral("/tagforge-fuzz-includes-XXXXXX")};
    QString Root;
    QStringList Paths; // canonical paths of f00 .. f19; the files themselves stay empty

    TFileSet()
    {
        FUZZ_CHECK(Dir.isValid(), QStringLiteral("no temporary folder"));
        QDir(Dir.path()).mkdir(QStringLiteral("sub"));
        for (int i = 0; i < kFiles; ++i) {
            const QString name = QStringLiteral("%1/%2f%3").arg(Dir.path(), i % 4 == 3 ? QStringLiteral("sub/") : QString())
                                     .arg(i, 2, 10, QLatin1Char('0'));
            QFile file(name);
            FUZZ_CHECK(file.open(QIODevice::WriteOnly), QStringLiteral("cannot create %1").arg(name));
            Paths.append(QFileInfo(name).canonicalFilePath());
        }
        Root = QFileInfo(Dir.path()).canonicalFilePath();
    }
};

// As the file reader gives an included file: lines ending in CR LF.
QString AsIncludedText(const QString &part)
{
    if (part.isEmpty())
        return QString();
    QString text = FuzzInput::Lines(part).join(QStringLiteral("\r\n"));
    if (!text.endsWith(QStringLiteral("\r\n")))
        text += QStringLiteral("\r\n");
    return text;
}

const QRegularExpression &DirectivePattern()
{
    static const QRegularExpression pattern(QStringLiteral("#include[ \\t]*\\{"), QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TFileSet files;

    // The page, then the text of f00, f01, ... separated by U+0001.
    const QStringList parts = FuzzInput::AsText(data, size).split(QChar(1));
    const QString page = parts.value(0);
    QHash<QString, QString> texts;
    for (int i = 0; i < kFiles; ++i)
        texts.insert(files.Paths.at(i), AsIncludedText(parts.value(i + 1)));

    QSet<QString> granted;
    int reads = 0;
    const Includes::FileReader reader = [&](const QString &path) -> std::optional<QString> {
        ++reads;
        const QString canonical = QFileInfo(path).canonicalFilePath();
        const auto it = texts.constFind(canonical);
        if (it == texts.cend())
            return std::nullopt; // anything outside the set is refused, never read
        granted.insert(canonical);
        return *it;
    };
    int statusLines = 0;
    const Includes::TExpansion result =
        Includes::ExpandIncludes(page, files.Root, reader, [&](const QString &) { ++statusLines; });

    // Each file is read once, however often it is included; a refused one ends the expansion.
    FUZZ_CHECK(reads <= granted.size() + 1, QStringLiteral("%1 reads of %2 files").arg(reads).arg(granted.size()));
    FUZZ_CHECK(statusLines > 0 || !result.Expanded, QStringLiteral("expanded without a word"));
    FUZZ_CHECK(!result.Files.isEmpty() && result.Files.at(0).isEmpty() && result.FileTexts.at(0) == page,
               QStringLiteral("the page is not file 0"));
    FUZZ_CHECK(result.Files.size() == result.FileTexts.size(), QStringLiteral("files and texts differ in number"));
    FUZZ_CHECK(QSet<QString>(result.Files.cbegin(), result.Files.cend()).size() == result.Files.size(),
               QStringLiteral("a file listed twice"));
    for (int i = 1; i < result.Files.size(); ++i) {
        const QString canonical = QFileInfo(result.Files.at(i)).canonicalFilePath();
        FUZZ_CHECK(granted.contains(canonical) && result.FileTexts.at(i) == texts.value(canonical),
                   QStringLiteral("file %1 is not one of the set: %2").arg(i).arg(result.Files.at(i)));
    }
    FUZZ_CHECK(result.Text.size() <= page.size() + Includes::kMaxExpandedChars, QStringLiteral("expanded past the limit"));

    // The spans cover the text without gaps, each a piece of its file.
    qsizetype next = 0;
    for (const Includes::TSourceSpan &span : result.Spans) {
        FUZZ_CHECK(span.Start == next && (span.Length > 0 || result.Text.isEmpty()), QStringLiteral("span at %1, expected %2").arg(span.Start).arg(next));
        FUZZ_CHECK(span.File >= 0 && span.File < result.FileTexts.size(), QStringLiteral("span of file %1").arg(span.File));
        const QString &source = result.FileTexts.at(span.File);
        FUZZ_CHECK(span.SourceStart >= 0 && span.SourceStart + span.Length <= source.size(), QStringLiteral("span outside its file"));
        const QStringView piece = QStringView(source).mid(span.SourceStart, span.Length);
        FUZZ_CHECK(QStringView(result.Text).mid(span.Start, span.Length) == piece, QStringLiteral("span is not its file's text"));
        // Without a failure every directive was replaced: none is left inside a piece.
        if (!result.Failed && result.Expanded)
            FUZZ_CHECK(!DirectivePattern().match(piece).hasMatch(), QStringLiteral("a directive left in the text"));
        next += span.Length;
    }
    FUZZ_CHECK(next == result.Text.size() || (result.Text.isEmpty() && result.Spans.size() == 1),
               QStringLiteral("spans end at %1 of %2").arg(next).arg(result.Text.size()));

    if (result.Failed) {
        FUZZ_CHECK(!result.Error.isEmpty(), QStringLiteral("a failure without its reason"));
        FUZZ_CHECK(result.ErrorOffset >= 0 && result.ErrorOffset < result.Text.size()
                       && result.Text.mid(result.ErrorOffset, 8).compare(QStringLiteral("#include"), Qt::CaseInsensitive) == 0,
                   QStringLiteral("the failing directive is not at its offset %1").arg(result.ErrorOffset));
    } else if (!result.Expanded) {
        FUZZ_CHECK(result.Text == page, QStringLiteral("nothing expanded, yet the text changed"));
    }

    // Every offset maps back to a place in some file.
    for (const qsizetype offset : {qsizetype(0), result.Text.size() / 2, result.Text.size()}) {
        const Includes::TSourcePosition at = result.Locate(offset);
        FUZZ_CHECK(at.File >= 0 && at.File < result.FileTexts.size() && at.Line >= 0 && at.Column >= 0,
                   QStringLiteral("offset %1 located nowhere").arg(offset));
    }
    return 0;
}
