// How the tag hint tooltip lays out parameter lines: bold names, plain descriptions, wrapped
// to a fixed width when the text is long.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace TagHintLayout {

constexpr int kSingleLineLimit = 400; // wider texts are wrapped
constexpr int kSingleLineSlack = 50;
constexpr int kWrappedWidth = 450;
constexpr int kPadding = 3; // between the border and the text, on every side

// A piece of hint text drawn in one style. Every word after the first starts with its blank.
struct THintWord
{
    QString Text;
    bool Name = false; // the parameter's name (bold); otherwise its description from "=" on
};
using THintLine = QList<THintWord>;

// Pixel width of a text in the hint's normal or bold font.
using TMeasure = std::function<int(const QString &text, bool bold)>;

// The words of the parameter lines, each line after a blank, split at every blank.
QList<THintWord> HintWords(const QStringList &lines);

struct TLayout
{
    QList<THintLine> Lines;
    int Width = 0; // the window's size, border and padding included
    int Height = 0;
};

// One line as wide as the text plus a margin when it fits in 400 pixels, otherwise lines broken
// at blanks so that none is wider than the 450-pixel window.
TLayout Layout(const QStringList &lines, const TMeasure &measure, int lineHeight);

} // namespace TagHintLayout
