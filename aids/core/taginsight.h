// Tag insight decisions: what the text before the caret calls for, which names the list offers,
// what choosing an entry inserts and where the caret goes.
#pragma once

#include "aids/core/tagdata.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Positions are the editor's character positions: 1 is the first character, a line break counts
// as two (CR LF), and selStart is the position of the character after the caret.
namespace TagInsight {

// The list offers tag names (mode 3) or the parameters of the tag at the caret (mode 0);
// the mode is also the number of the image drawn before each entry.
constexpr int kModeParameters = 0;
constexpr int kModeNames = 3;

// Characters that end a typed name for the completion list.
bool IsNameDelimiter(QChar c);

enum class THintDecision {
    Hide,     // no tag at the caret: clear the hints
    NameList, // an unfinished or unknown name: offer the completion list
    Hints     // the name of a known tag: show its parameters after the pause
};

struct TTagHintCheck
{
    THintDecision Decision = THintDecision::Hide;
    int ScanPos = 0;    // where the backward scan stopped ("<", ">" or 0 when it ran off the start)
    QString SelTagName; // the name after "<" as written; only kept for Hints
    bool AfterBlank = false;
};

// CheckTagHint's reading of the text: hints only inside an opening tag, never with a selection,
// between two double quotes, after ">" or in an end tag.
TTagHintCheck CheckTagHint(QStringView text, int selStart, bool selection, const TTagNames &names);

struct TNameList
{
    int InsightStart = 0; // position of the delimiter before the prefix, 0 when the text starts it
    int InsightLen = 0;
    QString Prefix;
    QStringList Names; // names starting with the prefix first, then names containing it later
    bool IsEmpty() const { return Names.isEmpty(); }
};

// The names of `tags` that complete the word at the caret. Nothing when the word is already the
// name of a known tag right after "<", or when it is empty.
TNameList FillInsightList(QStringView text, int selStart, const TTagNames &names, const QList<TMyHTMLTag> &tags);

struct TTagHints
{
    bool Found = false;         // a matching entry with parameter lines exists
    QString MemoText;           // the parameter strip: each line after a blank
    QStringList Lines;          // the parameter lines, for the tooltip
    QStringList ParameterItems; // the list's entries after a blank: NAME=""
};

// The hints of the tag named selTagName (ignoring case); with duplicate entries the last one counts.
TTagHints TagHints(const QString &selTagName, const QList<TMyHTMLTag> &tags);

// A parameter line as the list offers it: the text up to and including the first "=", then "".
QString ParameterItem(const QString &line);

struct TInsertion
{
    bool Skip = true; // nothing to insert
    QString Text;     // lower case
    bool ReplacePrefix = false;
    int SelStart = 0; // the typed prefix to replace, when ReplacePrefix
    int SelEnd = 0;
    bool CaretBetweenQuotes = false; // move the caret one column left after inserting
};

// Choosing `entry` from the list. `before` is the character before the caret (null when none);
// insightShown says whether the list offered names for the prefix found by FillInsightList.
TInsertion InsightInsertion(const QString &entry, QChar before, bool insightShown, int insightStart, int insightLen,
                            int textLength);

} // namespace TagInsight
