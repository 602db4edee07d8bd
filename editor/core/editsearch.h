// TEditSearch: finds every occurrence of a pattern in one line (Sunday's quick search), plus the
// search-and-replace option flags the editor's SearchReplace takes.
#pragma once

#include <QFlags>
#include <QString>
#include <QStringView>
#include <array>
#include <vector>

// Options of TCodeEdit::SearchReplace, in their stored bit order.
enum TSynSearchOption : quint32 {
    soMatchCase = 0x01,
    soWholeWord = 0x02,
    soBackwards = 0x04,
    soEntireScope = 0x08,
    soSelectedOnly = 0x10,
    soReplace = 0x20,
    soReplaceAll = 0x40,
    soPrompt = 0x80,
};
Q_DECLARE_FLAGS(TSynSearchOptions, TSynSearchOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSynSearchOptions)

// What the replace prompt (OnReplaceText) answers for one match.
enum TReplaceAction : quint8 { raCancel = 0, raSkip = 1, raReplace = 2, raReplaceAll = 3 };

// Searches one line of text at a time. Columns are 1-based UTF-16 positions. Matches never overlap:
// after a hit the scan continues behind it. Case folding and the word test are Unicode-aware; for
// Latin-1 text they agree with the Windows-1252 tables.
class TEditSearch
{
public:
    TEditSearch();
    virtual ~TEditSearch() = default;
    TEditSearch(const TEditSearch &) = delete;
    TEditSearch &operator=(const TEditSearch &) = delete;

    QString Pattern() const { return m_pattern; }
    // Builds the skip table and resets the match count; an empty value raises EEditError
    // "Pattern is empty".
    void SetPattern(const QString &value);
    bool Sensitive() const { return m_sensitive; }
    // Changing the sensitivity rebuilds the skip table of the current pattern, so the next search
    // gives the same results as a fresh one.
    void SetSensitive(bool value);
    bool Whole() const { return m_whole; }
    void SetWhole(bool value) { m_whole = value; }

    // Clears the results and collects every match of `text`; returns how many.
    int FindAll(QStringView text);
    // Starts a scan of `text` (which must stay alive while FindNext is used); 0 when the text is
    // shorter than the pattern, else the first match column as FindNext.
    int FindFirst(QStringView text);
    // The 1-based column of the next match, or 0.
    int FindNext();

    int ResultCount() const { return int(m_results.size()); }
    // 0 when index is out of range.
    int Results(int index) const;
    // Matches counted since the pattern was set.
    int Count() const { return m_count; }
    // After a replacement of different length at column `first`: moves every later result by delta.
    void FixResults(int first, int delta);

    // Unit-wide tables: the case-folding translation (UTF-16 unit -> folded unit) and the word
    // delimiter test (not a letter or digit).
    static const char16_t *FoldTable();
    static bool IsDelimiter(QChar c) { return !c.isLetterOrNumber(); }

protected:
    // Accepts the candidate ending at the scan position when it stands alone as a word.
    virtual bool TestWholeWord();

    // Scan state, visible to TestWholeWord overrides.
    QStringView m_text;
    qsizetype m_run = 0; // scan position: index of the text character under the pattern's last one
    qsizetype m_textLen = 0;
    int m_patLen = 0;

private:
    template <bool Fold>
    int Scan();
    void BuildSkipTable();
    void CollectNeedles();

    QString m_pattern;
    QString m_transPattern; // the pattern through the translation in force
    int m_count = 0;
    int m_lookAt = 1;
    std::array<int, 256> m_shift{}; // indexed by the low byte of the translated character
    // Every UTF-16 unit that translates to the pattern's last character, when there are at most
    // three: the pre-check then tests eight text positions at a time.
    std::array<char16_t, 3> m_needles{};
    int m_needleCount = 0;
    char16_t m_needlesFor = 0;
    bool m_needlesFolded = false;
    bool m_sensitive = false;
    bool m_whole = false;
    std::vector<int> m_results;
};
