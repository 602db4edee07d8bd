// Text from files, and the palette's colours.
#include "doctools/core/textinsertion.h"

#include "platform/core/inputfile.h"
#include "platform/core/textdecoding.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace TextInsertion {

QString LinesWithCrLf(QStringView text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16 + 2);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        result += text.mid(start, end - start);
        result += QLatin1String("\r\n");
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return result;
}

TFileText ReadFileText(const QString &path, qint64 maxBytes)
{
    const QString name = QFileInfo(path).fileName();
    const InputFile::TRead read = InputFile::ReadRegularFile(path, maxBytes);
    if (!read.Error.isEmpty())
        return {QString(), read.Error.contains(name) ? read.Error : QStringLiteral("\"%1\": %2").arg(name, read.Error)};
    if (InputFile::LooksBinary(read.Bytes) || read.Bytes.contains('\0'))
        return {QString(),
                QStringLiteral("\"%1\" is not a text file (it holds NUL bytes); nothing was inserted.").arg(name)};
    return {LinesWithCrLf(DecodeFileBytes(read.Bytes).Text), QString()};
}

std::uint32_t PaletteColor(int x, int y)
{
    x = std::clamp(x, 0, kPaletteWidth - 1);
    y = std::clamp(y, 0, kPaletteHeight - 1);
    // The last 30 columns are a grey ramp; the rest runs through the hues, light at the top.
    const auto byte = [](double v) { return std::uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    double r, g, b;
    constexpr int greys = 30;
    if (x >= kPaletteWidth - greys) {
        r = g = b = 1.0 - double(x - (kPaletteWidth - greys)) / (greys - 1);
    } else {
        const double hue = 6.0 * x / (kPaletteWidth - greys);
        const double f = hue - std::floor(hue);
        switch (int(hue) % 6) {
        case 0: r = 1, g = f, b = 0; break;
        case 1: r = 1 - f, g = 1, b = 0; break;
        case 2: r = 0, g = 1, b = f; break;
        case 3: r = 0, g = 1 - f, b = 1; break;
        case 4: r = f, g = 0, b = 1; break;
        default: r = 1, g = 0, b = 1 - f; break;
        }
        // Rows 14 and 15 hold the pure hues; above them towards white, below towards black.
        const auto mix = [y](double c) {
            if (y < 14)
                return c + (1 - c) * (14 - y) / 15.0;
            return y > 15 ? c * (1 - (y - 15) / 15.0) : c;
        };
        r = mix(r), g = mix(g), b = mix(b);
    }
    return byte(r) << 16 | byte(g) << 8 | byte(b);
}

QString ColorCaption(std::uint32_t rgb)
{
    return QLatin1Char('#') + QStringLiteral("%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace TextInsertion
