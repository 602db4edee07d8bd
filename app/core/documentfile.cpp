// Reading and writing document files: encoding and line-break style kept, saved safely.
#include "app/core/documentfile.h"

#include "app/core/savewriter.h"

#include "editor/core/editlines.h"
#include "editor/core/edittext.h"

#include <QBuffer>
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

namespace {

// The encoding a byte order mark announces, and the mark's length.
bool EncodingFromBom(const QByteArray &bytes, TTextEncoding &encoding, int &length)
{
    struct Bom
    {
        const char *bytes;
        int length;
        TTextEncoding encoding;
    };
    // UTF-32LE starts like UTF-16LE, so it is tried first.
    static const Bom boms[] = {
        {"\xFF\xFE\x00\x00", 4, TTextEncoding::Utf32LE}, {"\x00\x00\xFE\xFF", 4, TTextEncoding::Utf32BE},
        {"\xEF\xBB\xBF", 3, TTextEncoding::Utf8Bom},     {"\xFF\xFE", 2, TTextEncoding::Utf16LE},
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
        if (i + 1 < lineCount || format.FinalLineBreak)
            chunk += lineBreak;
        if (chunk.size() >= (1 << 20)) {
            const TWriteOutcome outcome = flush();
            if (outcome != TWriteOutcome::Written)
                return outcome;
        }
    }
    return flush();
}

// Compares what saving would write with a device's bytes, writing nothing.
class TCompareWriter : public TSaveWriter
{
public:
    explicit TCompareWriter(QIODevice &device) : m_device(device) {}
    bool Open() override { return m_device.seek(0); }
    bool Write(QByteArrayView bytes) override
    {
        while (!bytes.isEmpty()) {
            const qint64 got = m_device.read(m_buffer.data(), qMin<qsizetype>(bytes.size(), m_buffer.size()));
            if (got <= 0 || QByteArrayView(m_buffer.constData(), got) != bytes.first(got))
                return false;
            bytes = bytes.sliced(got);
        }
        return true;
    }
    bool Commit() override { return m_device.atEnd(); }
    void Cancel() override {}
    QString ErrorString() const override { return QString(); }

private:
    QIODevice &m_device;
    QByteArray m_buffer = QByteArray(1 << 16, Qt::Uninitialized);
};

// Whether saving the lines unchanged gives back exactly the device's bytes.
bool WritesBack(QIODevice &device, int lineCount, const std::function<QStringView(int)> &line,
                const TDocumentFormat &format)
{
    TCompareWriter compare(device);
    return compare.Open() && WriteLines(compare, lineCount, line, format) == TWriteOutcome::Written && compare.Commit();
}

// The lines SaveText writes for a whole text.
QList<QStringView> LinesOf(const QString &text)
{
    QList<QStringView> lines = EditText::SplitAtBreaks(text);
    // A break at the very end closes the last line; it starts no new one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int CodeUnitSize(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: return 2;
    case TTextEncoding::Utf32LE:
    case TTextEncoding::Utf32BE: return 4;
    default: return 1;
    }
}

QString LineBreakName(TLineBreakStyle style)
{
    switch (style) {
    case TLineBreakStyle::CRLF: return QStringLiteral("CR LF");
    case TLineBreakStyle::CR: return QStringLiteral("CR");
    case TLineBreakStyle::LF: break;
    }
    return QStringLiteral("LF");
}

// Whether text holds a line break of another style than style: saving writes one style only.
bool HasOtherBreaks(QStringView text, TLineBreakStyle style)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        TLineBreakStyle found;
        if (text.at(i) == QLatin1Char('\n')) {
            found = TLineBreakStyle::LF;
        } else if (text.at(i) == QLatin1Char('\r')) {
            found = TLineBreakStyle::CR;
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
                found = TLineBreakStyle::CRLF;
                ++i;
            }
        } else {
            continue;
        }
        if (found != style)
            return true;
    }
    return false;
}

// Whether invalid UTF-8 still holds well-formed multi-byte sequences: then it is a UTF-8 file with
// a broken or cut character rather than an 8-bit file, and the fallback deserves a warning.
bool HasUtf8Sequences(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = uchar(bytes[i]);
        const int more = lead >= 0xC2 && lead <= 0xDF   ? 1
                         : lead >= 0xE0 && lead <= 0xEF ? 2
                         : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                        : 0;
        if (more == 0 || i + more >= bytes.size())
            continue;
        bool wellFormed = true;
        for (int k = 1; k <= more; ++k)
            wellFormed = wellFormed && (uchar(bytes[i + k]) & 0xC0) == 0x80;
        if (wellFormed)
            return true;
    }
    return false;
}

void AddWarning(QString &warning, const QString &text)
{
    if (!warning.isEmpty())
        warning += QLatin1Char(' ');
    warning += text;
}

// How the file ends, read from its last code unit, for the streaming load.
bool EndsWithLineBreak(QFile &file, TTextEncoding encoding, int bomLength)
{
    const int unit = CodeUnitSize(encoding);
    if (file.size() - bomLength < unit || !file.seek(file.size() - unit))
        return false;
    const QByteArray last = file.read(unit);
    for (const char *lineBreak : {"\n", "\r"}) {
        if (EncodeChunk(QString::fromLatin1(lineBreak), encoding) == last)
            return true;
    }
    return false;
}

} // namespace

TLoadedDocument DecodeDocument(const QByteArray &bytes, TLineBreakStyle newFileStyle)
{
    TLoadedDocument doc;
    TTextEncoding bomEncoding;
    int bomLength = 0;
    const QString fallback =
        QStringLiteral(" It was opened as Windows-1252, so that every byte is kept as a character, and will be saved "
                       "as Windows-1252.");
    if (EncodingFromBom(bytes, bomEncoding, bomLength)) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(bomLength);
        const qsizetype whole = body.size() - body.size() % CodeUnitSize(bomEncoding);
        // Only the first mark is taken off: a second one right after it is text and stays.
        QStringDecoder decoder(ConverterFor(bomEncoding),
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        QString text = decoder.decode(body.first(whole));
        // The UTF-16 and UTF-32 decoders replace what they cannot read without saying so.
        const std::optional<QByteArray> again = EncodeChunk(text, bomEncoding);
        if (!decoder.hasError() && again && QByteArrayView(*again) == body.first(whole)) {
            doc.Format.Encoding = bomEncoding;
            if (whole < body.size()) {
                // A file cut short by a byte or two: its stray bytes stay, one character each.
                for (const char c : body.sliced(whole))
                    text += QChar(uchar(c));
                AddWarning(doc.Warning, QStringLiteral("The file ends in %1 byte(s) that make no %2 character. "
                                                       "They are kept as characters at its end, and the file "
                                                       "will be saved as %2.")
                                            .arg(body.size() - whole)
                                            .arg(EncodingName(bomEncoding)));
            }
            doc.Text = std::move(text);
        } else {
            doc.Format.Encoding = TTextEncoding::Windows1252;
            doc.Text = DecodeWindows1252(bytes);
            AddWarning(doc.Warning, QStringLiteral("The file is not valid %1, although it starts with its "
                                                   "byte order mark.")
                                            .arg(EncodingName(bomEncoding))
                                        + fallback);
        }
    } else {
        QStringDecoder utf8(QStringConverter::Utf8,
                            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        doc.Text = utf8.decode(bytes);
        if (utf8.hasError()) {
            // The 8-bit code page, one character per byte: nothing is dropped.
            doc.Format.Encoding = TTextEncoding::Windows1252;
            doc.Text = DecodeWindows1252(bytes);
            if (HasUtf8Sequences(bytes))
                AddWarning(doc.Warning, QStringLiteral("The file is not valid UTF-8: a character in it is "
                                                       "broken or cut off.")
                                            + fallback);
        }
    }
    doc.Format.LineBreak = DetectLineBreak(doc.Text, newFileStyle);
    doc.Format.FinalLineBreak = doc.Text.endsWith(QLatin1Char('\n')) || doc.Text.endsWith(QLatin1Char('\r'));
    if (HasOtherBreaks(doc.Text, doc.Format.LineBreak))
        AddWarning(doc.Warning, QStringLiteral("The file mixes line-break styles; it will be saved with %1 "
                                               "line breaks throughout.")
                                    .arg(LineBreakName(doc.Format.LineBreak)));
    if (doc.Warning.isEmpty()) {
        // The rules above should cover every file; this keeps the promise if they do not.
        QBuffer buffer;
        buffer.setData(bytes);
        const QList<QStringView> lines = LinesOf(doc.Text);
        if (!buffer.open(QIODevice::ReadOnly)
            || !WritesBack(
                buffer, int(lines.size()), [&lines](int i) { return lines.at(i); }, doc.Format))
            doc.Warning = QStringLiteral("Saving the file unchanged will not give back its exact bytes.");
    }
    return doc;
}

TLoadedDocument Load(const QString &path, TLineBreakStyle newFileStyle)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    return DecodeDocument(bytes, newFileStyle);
}

TDocumentFormat LoadLines(const QString &path, TEditLines &lines, TLineBreakStyle newFileStyle, QString *warning)
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
    if (!EncodingFromBom(start, format.Encoding, bomLength))
        format.Encoding = TTextEncoding::Utf8;
    QStringDecoder probe(ConverterFor(format.Encoding), QStringConverter::Flag::Stateless);
    const QString head =
        probe.decode(QByteArrayView(start).sliced(bomLength, qMin<qsizetype>(1 << 16, start.size() - bomLength)));
    format.LineBreak = DetectLineBreak(head, newFileStyle);

    if (!file.seek(bomLength))
        throw readError();
    // A second byte order mark after the first is text.
    QStringDecoder decoder(ConverterFor(format.Encoding), QStringConverter::Flag::ConvertInitialBom);
    if (!lines.LoadFromStream(file, decoder) || file.error() != QFileDevice::NoError)
        throw readError();
    if (!decoder.hasError()) {
        // The streaming decoder silently drops a character cut off at the end, and the lines
        // forget mixed line breaks: only a file that saving gives back unchanged is taken as read.
        format.FinalLineBreak = EndsWithLineBreak(file, format.Encoding, bomLength);
        if (WritesBack(
                file, lines.Count(), [&lines](int i) { return QStringView(lines[i]); }, format)) {
            if (warning)
                warning->clear();
            return format;
        }
    }
    if (file.error() != QFileDevice::NoError || !file.seek(0))
        throw readError();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw readError();
    TLoadedDocument doc = DecodeDocument(bytes, newFileStyle);
    lines.SetTextStr(doc.Text);
    if (warning)
        *warning = doc.Warning;
    return doc.Format;
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
    const QList<QStringView> lines = LinesOf(text);
    return Save(
        path, int(lines.size()), [&lines](int i) { return lines.at(i); }, format);
}

QStringList LinesSnapshot(const TEditLines &lines)
{
    QStringList snapshot;
    snapshot.reserve(lines.Count());
    for (int i = 0; i < lines.Count(); ++i)
        snapshot.append(lines[i]);
    return snapshot;
}

} // namespace DocumentFile
