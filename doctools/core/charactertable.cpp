// The character map's table.
#include "doctools/core/charactertable.h"

#include <QFile>
#include <QStringDecoder>

namespace {

QStringView Trimmed(QStringView line)
{
    while (!line.isEmpty() && line.front().unicode() <= 32)
        line = line.mid(1);
    while (!line.isEmpty() && line.back().unicode() <= 32)
        line.chop(1);
    return line;
}

} // namespace

QList<TCharacterRow> ParseCharacterTable(const QStringList &lines)
{
    QList<TCharacterRow> rows;
    for (const QString &raw : lines) {
        const QStringView line = Trimmed(raw);
        if (line.isEmpty() || line[0] == u'/' || (line.size() > 1 && line[1] == u'/'))
            continue;
        const qsizetype first = line.indexOf(u' ');
        TCharacterRow row;
        row.Character = line.left(first < 0 ? line.size() : first).toString();
        if (first >= 0) {
            const QStringView rest = line.mid(first + 1);
            const qsizetype second = rest.indexOf(u' ');
            const QString entity = rest.left(second < 0 ? rest.size() : second).toString();
            const QString name = second < 0 ? QString() : rest.mid(second + 1).toString();
            // Empty fields are not kept: the next one takes their column.
            QStringList fields;
            for (const QString &f : {entity, name})
                if (!f.isEmpty())
                    fields << f;
            row.Entity = fields.value(0);
            row.Name = fields.value(1);
        }
        rows.append(row);
    }
    return rows;
}

QString CharacterTableErrorText()
{
    return QStringLiteral("Error loading Character Data for Character Map!\r\n"
                          "File \"Characters.dat\" has to be located in \\Data subdirectory.\r\n"
                          "Sorry, but you cannot use the Charatcer Map.");
}

TCharacterTableFile LoadCharacterTable(const QString &path)
{
    TCharacterTableFile result;
    QFile file(path);
    // The table is a few kilobytes; anything far larger is not it.
    constexpr qint64 kMaxBytes = 4 << 20;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxBytes) {
        result.Error = CharacterTableErrorText() + QStringLiteral("\r\n\r\n") + path;
        return result;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    if (decode.hasError() || bytes.contains('\0')) {
        result.Error =
            CharacterTableErrorText() + QStringLiteral("\r\n\r\n") + path + QStringLiteral(": not a UTF-8 text file.");
        return result;
    }
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    result.Rows = ParseCharacterTable(normal.split(u'\n'));
    return result;
}
