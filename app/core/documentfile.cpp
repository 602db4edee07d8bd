// Reading and writing document files: encoding and line-break style kept, saved safely.
#include "app/core/documentfile.h"

#include "app/core/savewriter.h"

#include "editor/core/editlines.h"
#include "editor/core/edittext.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace DocumentFile {

TLineBreakStyle DetectLineBreak(QStringView text, TLineBreakStyle fallback)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n'))
            return TLineBreakStyle::LF;
        if (c == QLatin1Char('\r'))
            return i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n') ? TLineBreakStyle::CRLF
                                                                             : TLineBreakStyle::CR;
    }
    return fallback;
}

TLineBreakStyle StyleFromFileType(int fileType)
{
    switch (fileType) {
    case 0: return TLineBreakStyle::CRLF;
    case 2: return TLineBreakStyle::CR;
    default: return TLineBreakStyle::LF;
    }
}

QString LineBreakText(TLineBreakStyle style)
{
    switch (style) {
    case TLineBreakStyle::CRLF: return QStringLiteral("\r\n");
    case TLineBreakStyle::CR: return QStringLiteral("\r");
    case TLineBreakStyle::LF: break;
    }
    return QStringLiteral("\n");
}

TLoadedDocument Load(const QString &path, TLineBreakStyle newFileStyle)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    TDecodedText decoded = DecodeFileBytes(bytes);
    TLoadedDocument doc;
    doc.Format.Encoding = decoded.Encoding;
    doc.Format.LineBreak = DetectLineBreak(decoded.Text, newFileStyle);
    doc.Text = std::move(decoded.Text);
    return doc;
}

namespace {

// The encoding a byte order mark announces, and the mark's length.
bool EncodingFromBom(const QByteArray &bytes, TTextEncoding &encoding, int &length)
{
    struct Bom { const char *bytes; int length; TTextEncoding encoding; };
    // UTF-32LE starts like UTF-16LE, so it is tried first.
    static const Bom boms[] = {
        {"\xFF\xFE\x00\x00", 4, TTextEncoding::Utf32LE}, {"\x00\x00\xFE\xFF", 4, TTextEncoding::Utf32BE},
        {"\xEF\xBB\xBF", 3, TTextEncoding::Utf8Bom}, {"\xFF\xFE", 2, TTextEncoding::Utf16LE},
        {"\xFE\xFF", 2, TTextEncoding::Utf16BE},
    };
    for (const Bom &bom : boms) {
        if (bytes.startsWith(QByteArrayView(bom.bytes, bom.length))) {
            encoding = bom.encoding;
            length = bom.length;
            return true;
        }
    }
    return false;
}

QStringConverter::Encoding ConverterFor(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf16LE: return QStringConverter::Utf16LE;
    case TTextEncoding::Utf16BE: return QStringConverter::Utf16BE;
    case TTextEncoding::Utf32LE: return QStringConverter::Utf32LE;
    case TTextEncoding::Utf32BE: return QStringConverter::Utf32BE;
    default: return QStringConverter::Utf8;
    }
}

QByteArray ByteOrderMark(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8Bom: return QByteArray("\xEF\xBB\xBF", 3);
    case TTextEncoding::Utf16LE: return QByteArray("\xFF\xFE", 2);
    case TTextEncoding::Utf16BE: return QByteArray("\xFE\xFF", 2);
    case TTextEncoding::Utf32LE: return QByteArray("\xFF\xFE\x00\x00", 4);
    case TTextEncoding::Utf32BE: return QByteArray("\x00\x00\xFE\xFF", 4);
    case TTextEncoding::Utf8:
    case TTextEncoding::Windows1252: break;
    }
    return {};
}

// One chunk of text without any byte order mark; nothing when the encoding cannot hold it.
std::optional<QByteArray> EncodeChunk(const QString &chunk, TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8:
    case TTextEncoding::Utf8Bom: return chunk.toUtf8();
    case TTextEncoding::Windows1252: return EncodeFileText(chunk, encoding);
    case TTextEncoding::Utf16LE: return QStringEncoder(QStringConverter::Utf16LE).encode(chunk);
    case TTextEncoding::Utf16BE: return QStringEncoder(QStringConverter::Utf16BE).encode(chunk);
    case TTextEncoding::Utf32LE: return QStringEncoder(QStringConverter::Utf32LE).encode(chunk);
    case TTextEncoding::Utf32BE: return QStringEncoder(QStringConverter::Utf32BE).encode(chunk);
    }
    return std::nullopt;
}

enum class TWriteOutcome { Written, Unencodable, Failed };

// Encodes lines in chunks so that a large document never exists twice as one byte array.
TWriteOutcome WriteLines(TSaveWriter &out, int lineCount, const std::function<QStringView(int)> &line,
                         const TDocumentFormat &format)
{
    const QByteArray bom = ByteOrderMark(format.Encoding);
    if (!bom.isEmpty() && !out.Write(bom))
        return TWriteOutcome::Failed;
    const QString lineBreak = LineBreakText(format.LineBreak);
    QString chunk;
    auto flush = [&]() {
        const std::optional<QByteArray> bytes = EncodeChunk(chunk, format.Encoding);
        chunk.clear();
        if (!bytes)
            return TWriteOutcome::Unencodable;
        return out.Write(*bytes) ? TWriteOutcome::Written : TWriteOutcome::Failed;
    };
    for (int i = 0; i < lineCount; ++i) {
        chunk += line(i);
        chunk += lineBreak;
        if (chunk.size() >= (1 << 20)) {
            const TWriteOutcome outcome = flush();
            if (outcome != TWriteOutcome::Written)
                return outcome;
        }
    }
    return flush();
}

}

TDocumentFormat LoadLines(const QString &path, TEditLines &lines, TLineBreakStyle newFileStyle)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const auto readError = [&]() {
        return EFileError(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    };
    // The file is decoded block by block straight into the lines, never held whole: reading a
    // 100 MB page would otherwise hold its bytes beside its lines. Only the head is looked at
    // first, for the BOM and the line-break style (a BOM is at most 4 bytes).
    const QByteArray start = file.peek((1 << 16) + 4);
    if (file.error() != QFileDevice::NoError)
        throw readError();

    TDocumentFormat format;
    int bomLength = 0;
    const bool hasBom = EncodingFromBom(start, format.Encoding, bomLength);
    if (!hasBom)
        format.Encoding = TTextEncoding::Utf8;
    QStringDecoder probe(ConverterFor(format.Encoding), QStringConverter::Flag::Stateless);
    const QString head = probe.decode(QByteArrayView(start).sliced(bomLength, qMin<qsizetype>(1 << 16, start.size() - bomLength)));
    format.LineBreak = DetectLineBreak(head, newFileStyle);

    if (!file.seek(bomLength))
        throw readError();
    QStringDecoder decoder(ConverterFor(format.Encoding));
    if (!lines.LoadFromStream(file, decoder) || file.error() != QFileDevice::NoError)
        throw readError();
    if (!hasBom && decoder.hasError()) {
        // Not UTF-8: the 8-bit code page, one character per byte, nothing dropped.
        if (!file.seek(0))
            throw readError();
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw readError();
        format.Encoding = TTextEncoding::Windows1252;
        lines.SetTextStr(DecodeWindows1252(bytes));
        format.LineBreak = DetectLineBreak(DecodeWindows1252(bytes.left(1 << 16)), newFileStyle);
    }
    return format;
}

bool ExpandTabs(TEditLines &lines, int tabWidth)
{
    const QString blanks(qMax(0, tabWidth), QLatin1Char(' '));
    bool changed = false;
    lines.BeginUpdate();
    for (int i = 0; i < lines.Count(); ++i) {
        if (!lines[i].contains(QLatin1Char('\t')))
            continue;
        QString text = lines[i];
        text.replace(QLatin1Char('\t'), blanks);
        lines.Put(i, std::move(text));
        changed = true;
    }
    lines.EndUpdate();
    return changed;
}

TSaveResult Save(const QString &path, int lineCount, const std::function<QStringView(int)> &line,
                 TDocumentFormat &format)
{
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink())
        target = info.symLinkTarget();

    TSaveResult result;
    for (;;) {
        const std::unique_ptr<TSaveWriter> out = CreateSaveWriter(target);
        if (!out->Open())
            throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, out->ErrorString()));
        const TWriteOutcome outcome = WriteLines(*out, lineCount, line, format);
        if (outcome == TWriteOutcome::Unencodable && format.Encoding == TTextEncoding::Windows1252) {
            out->Cancel();
            format.Encoding = TTextEncoding::Utf8;
            result.SwitchedToUtf8 = true;
            continue;
        }
        if (outcome != TWriteOutcome::Written) {
            const QString reason = out->ErrorString();
            out->Cancel();
            throw EFileError(QStringLiteral("Cannot write file \"%1\". %2").arg(path, reason));
        }
        if (!out->Commit())
            throw EFileError(QStringLiteral("Cannot write file \"%1\". %2").arg(path, out->ErrorString()));
        return result;
    }
}

TSaveResult SaveText(const QString &path, const QString &text, TDocumentFormat &format)
{
    QList<QStringView> lines = EditText::SplitAtBreaks(text);
    // A break at the very end closes the last line; it starts no new one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return Save(path, int(lines.size()), [&lines](int i) { return lines.at(i); }, format);
}

}
