// Reading and writing document files: encoding and line-break style kept, saved safely.
#pragma once

#include "platform/core/textdecoding.h"

class TEditLines;

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <stdexcept>

enum class TLineBreakStyle { CRLF = 0, LF = 1, CR = 2 };

// How a document's bytes look on disk, so that saving gives the same form back.
struct TDocumentFormat
{
    TTextEncoding Encoding = TTextEncoding::Utf8;
    TLineBreakStyle LineBreak = TLineBreakStyle::LF;
    // Whether the last line ends with a line break. A file read without one is written back
    // without one, edited or not, so that opening and saving never changes a file's bytes;
    // new documents end with a break.
    bool FinalLineBreak = true;
};

class EFileError : public std::runtime_error
{
public:
    explicit EFileError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

struct TLoadedDocument
{
    QString Text; // as read: every character kept, line breaks as in the file
    TDocumentFormat Format;
    // Empty when saving the unchanged text gives the file's bytes back; otherwise what could not
    // be kept and how the document will be saved.
    QString Warning;
};

namespace DocumentFile {

// The style of the first line break in text; fallback when it has none.
TLineBreakStyle DetectLineBreak(QStringView text, TLineBreakStyle fallback);
// The "FileType" setting (0 CR LF, 1 LF, 2 CR) as a style for new documents.
TLineBreakStyle StyleFromFileType(int fileType);
QString LineBreakText(TLineBreakStyle style);

// Turns a file's bytes into a document. Nothing is ever dropped: bytes the detected encoding
// cannot represent make the document fall back to a form that keeps them, with a warning.
TLoadedDocument DecodeDocument(const QByteArray &bytes, TLineBreakStyle newFileStyle = TLineBreakStyle::LF);

// Throws EFileError when the file cannot be read.
TLoadedDocument Load(const QString &path, TLineBreakStyle newFileStyle = TLineBreakStyle::LF);

// Reads a file straight into a line store, decoding as it splits, so that a large file never
// exists as one decoded string; reads as DecodeDocument does and sets warning the same way.
// Throws EFileError when the file cannot be read.
TDocumentFormat LoadLines(const QString &path, TEditLines &lines, TLineBreakStyle newFileStyle = TLineBreakStyle::LF,
                          QString *warning = nullptr);

// Replaces every tab of the lines by tabWidth blanks; returns whether any line changed.
bool ExpandTabs(TEditLines &lines, int tabWidth);

struct TSaveResult
{
    bool SwitchedToUtf8 = false; // the 8-bit encoding could not hold every character
};

// Writes lineCount lines, each followed by the format's line break (the last one only when the
// format has a final break), through a temporary file
// renamed over the target (a symbolic link is followed to its target; permissions are kept).
// Throws EFileError and leaves the old file untouched when writing fails. When the format's
// 8-bit encoding cannot hold the text, the file is written as UTF-8 and format is updated.
TSaveResult Save(const QString &path, int lineCount, const std::function<QStringView(int)> &line,
                 TDocumentFormat &format);

// The lines as a list that shares their text: copying it copies no characters, and the copy stays
// as it is while the document is edited, so a worker thread can write it.
QStringList LinesSnapshot(const TEditLines &lines);

// Convenience for whole texts whose lines are separated by CR LF, LF or CR.
TSaveResult SaveText(const QString &path, const QString &text, TDocumentFormat &format);

} // namespace DocumentFile
