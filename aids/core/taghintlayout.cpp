// How the tag hint tooltip lays out parameter lines: bold names, plain descriptions, wrapped
// to a fixed width when the text is long.
#include "aids/core/taghintlayout.h"

namespace TagHintLayout {

QList<THintWord> HintWords(const QStringList &lines)
{
    QList<THintWord> words;
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString text = QLatin1Char(' ') + line;
        qsizetype start = 0;
        for (qsizetype i = 1; i <= text.size(); ++i) {
            // A blank starts a new word; so does the "=" that ends the name.
            const bool atEnd = i == text.size();
            const bool split = atEnd || text.at(i) == QLatin1Char(' ') || i == equals + 1;
            if (!split)
                continue;
            if (i > start)
                words.append({text.mid(start, i - start), equals < 0 || start <= equals});
            start = i;
        }
    }
    if (!words.isEmpty() && words.first().Text.startsWith(QLatin1Char(' ')))
        words.first().Text.remove(0, 1); // the strip starts with a blank; the tooltip does not
    return words;
}

TLayout Layout(const QStringList &lines, const TMeasure &measure, int lineHeight)
{
    TLayout layout;
    const QList<THintWord> words = HintWords(lines);
    if (words.isEmpty())
        return layout;

    QString plain;
    for (const THintWord &w : words)
        plain += w.Text;
    const int plainWidth = measure(plain, false);
    if (plainWidth <= kSingleLineLimit) {
        layout.Lines.append(words);
        layout.Width = plainWidth + kSingleLineSlack;
        layout.Height = lineHeight + 2 * kPadding;
        return layout;
    }

    // Lines break only at blanks, so a name and the description glued to it by "=" move together.
    QList<THintLine> units;
    for (const THintWord &w : words) {
        if (units.isEmpty() || w.Text.startsWith(QLatin1Char(' ')))
            units.append(THintLine());
        units.last().append(w);
    }
    auto unitWidth = [&](const THintLine &unit) {
        int width = 0;
        for (const THintWord &w : unit)
            width += measure(w.Text, w.Name);
        return width;
    };
    const int room = kWrappedWidth - 2 * kPadding;
    THintLine line;
    int used = 0;
    for (THintLine unit : units) {
        int width = unitWidth(unit);
        if (!line.isEmpty() && used + width > room) {
            layout.Lines.append(line);
            line.clear();
            unit.first().Text.remove(0, 1); // the blank at the break is not drawn
            width = unitWidth(unit);
            used = 0;
        }
        line.append(unit);
        used += width;
    }
    layout.Lines.append(line);
    layout.Width = kWrappedWidth;
    layout.Height = int(layout.Lines.size()) * lineHeight + 2 * kPadding;
    return layout;
}

} // namespace TagHintLayout
