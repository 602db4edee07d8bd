// The tokenizer interface every highlighter offers the editor, and the attribute list it owns.
#pragma once

#include "highlight/core/highlightattributes.h"
#include "highlight/core/notifyeventchain.h"

#include <QFlags>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <bitset>
#include <climits>
#include <memory>
#include <vector>

class TSettingsStore;

// The state in force at the start of a line, stored per line by the editor. Opaque to it:
// equal states mean the same tokenizer situation, so a rescan may stop at a line whose stored
// state equals the new one.
using TRangeState = quintptr;

// Characters 0 to 255 that belong to words (word moves, double-click selection).
using TIdentChars = std::bitset<256>;

enum THighlighterCapability {
    hcRegistry = 0x1,   // attributes can be loaded from and saved to the settings store
    hcExportable = 0x2, // ExportNext hands tokens to an export target
};
Q_DECLARE_FLAGS(THighlighterCapabilities, THighlighterCapability)
Q_DECLARE_OPERATORS_FOR_FLAGS(THighlighterCapabilities)

// One token of a line as the painting view needs it. Attribute nullptr: the editor's colours.
struct THighlightToken
{
    int Start;  // 0-based column in the text that was tokenized
    int Length; // may be 0; such tokens paint nothing
    int Kind;   // highlighter-specific, as GetTokenKind()
    THighlightAttributes *Attribute;
};

// The tokenizer's whole state between two tokens of a line: the column where the next token
// starts and what the tokenizer carries over to it (its range and any pending flags), packed by
// the highlighter. Resuming from one gives the tokens a tokenize from column 0 gives from there.
struct TTokenCheckpoint
{
    int Column = 0;
    quint64 State = 0;
    friend bool operator==(const TTokenCheckpoint &, const TTokenCheckpoint &) = default;
};

// Receives the tokens of an export run (see ExportNext).
class THighlighterExportTarget
{
public:
    virtual ~THighlighterExportTarget() = default;
    virtual void ExportToken(QStringView token, int kind, const THighlightAttributes *attribute) = 0;
};

class TCustomHighlighter : public QObject
{
    Q_OBJECT
public:
    explicit TCustomHighlighter(QObject *owner = nullptr);
    ~TCustomHighlighter() override;

    // --- What the editor engine needs (cheap, no allocation per call) ---

    // The state at the start of a document.
    virtual TRangeState ResetState();
    // Tokenizes one line that starts in state start and returns the state at its end.
    virtual TRangeState ScanLine(QStringView line, int lineIndex, TRangeState start);
    virtual bool IsIdentChar(QChar c) const;
    // For painting: fills tokens (cleared first, capacity kept) with every token of the line
    // except the end-of-line token and returns the state at its end. The line must stay alive
    // while the tokens' positions are used.
    TRangeState TokenizeLine(QStringView line, int lineIndex, TRangeState start, std::vector<THighlightToken> &tokens)
    {
        return TokenizeLineUpTo(line, lineIndex, start, tokens, INT_MAX);
    }
    // The same, but stops after the first token that reaches past stopColumn (0-based): the
    // tokens are those of the whole line up to there, and a view painting the start of a 5 MB
    // line need not colour the rest of it. Stopped early, the state returned is the one reached.
    virtual TRangeState TokenizeLineUpTo(QStringView line, int lineIndex, TRangeState start,
                                         std::vector<THighlightToken> &tokens, int stopColumn);

    // --- Resuming inside a long line (see TLineCheckpoints) ---

    // True when TokenizeFrom can start at a checkpoint inside a line. Such a highlighter
    // tokenizes from a line's text and start state alone, never its index, and reads at most
    // CheckpointLookahead() characters past a token's end to finish it and to decide the state
    // after it; so a checkpoint stays good while the line's first Column + lookahead characters
    // stay the same.
    virtual bool CanResume() const { return false; }
    virtual int CheckpointLookahead() const { return 0; }
    // The checkpoint at column 0 of a line that starts in state start.
    virtual TTokenCheckpoint LineStartCheckpoint(TRangeState start) const { return {0, quint64(start)}; }
    // TokenizeLineUpTo from checkpoint from (of this line, or LineStartCheckpoint when the
    // highlighter cannot resume), except that tokens ending at or before keepFrom are not
    // stored. With checkpoints, appends a checkpoint at the first token boundary at or past
    // each multiple of interval after from.Column, up to where it stops.
    virtual TRangeState TokenizeFrom(QStringView line, int lineIndex, TTokenCheckpoint from,
                                     std::vector<THighlightToken> &tokens, int stopColumn, int keepFrom,
                                     std::vector<TTokenCheckpoint> *checkpoints, int interval);

    // --- The tokenizer, one token at a time ---

    // Start tokenizing text (0-based lineNumber) after SetRange(); the first token is current.
    // text is not copied: it must outlive the tokens pulled from it.
    virtual void SetLine(QStringView text, int lineNumber) = 0;
    virtual void Next() = 0;
    // The current token is the end-of-line token.
    virtual bool GetEol() const = 0;
    virtual TRangeState GetRange() const = 0;
    virtual void SetRange(TRangeState state) = 0;
    virtual void ResetRange() = 0;
    virtual QString GetToken() const = 0;
    // The current token without a copy.
    virtual QStringView GetTokenView() const = 0;
    virtual THighlightAttributes *GetTokenAttribute() const = 0;
    virtual int GetTokenKind() const = 0;
    // 0-based start column of the current token.
    virtual int GetTokenPos() const = 0;
    void NextToEol();

    // Export: SetLineForExport starts a line and exports its first token, ExportNext advances
    // and exports the next one to ExportTarget() when there is one. The end-of-line token is
    // exported too, so a target knows where each line ends.
    virtual void SetLineForExport(QStringView text) = 0;
    virtual void ExportNext() = 0;
    THighlighterExportTarget *ExportTarget() const { return m_exportTarget; }
    void SetExportTarget(THighlighterExportTarget *target) { m_exportTarget = target; }

    // --- Description ---

    virtual TIdentChars GetIdentChars() const;
    virtual QString GetLanguageName() const;
    virtual THighlighterCapabilities GetCapability() const;
    virtual QString GetDefaultFilter() const { return m_defaultFilter; }
    virtual void SetDefaultFilter(const QString &value) { m_defaultFilter = value; }
    QString DefaultFilter() const { return GetDefaultFilter(); }
    virtual bool UseUserSettings(int index);
    virtual void EnumUserSettings(QStringList &list);

    // --- Attributes, sorted by name regardless of case ---

    virtual int GetAttribCount() const;
    // nullptr when index is outside 0 .. GetAttribCount()-1.
    virtual THighlightAttributes *GetAttribute(int index) const;
    // 0 whitespace, 1 comment, 2 keyword; nullptr for any other index or a kind not offered.
    virtual THighlightAttributes *GetDefaultAttribute(int index) const = 0;
    // Takes ownership; a name already present (in any letter case) throws std::invalid_argument.
    // Routes the attribute's OnChange to the attribute-change notifier.
    THighlightAttributes *AddAttribute(std::unique_ptr<THighlightAttributes> attribute);
    // Replaces OnChange of every attribute (and so the routing to the notifier).
    void SetAttributesOnChange(const std::function<void(THighlightAttributes *)> &hook);
    // Hooks fired, with this highlighter as sender, whenever any attribute changes.
    TNotifyEventChain::THookId HookAttrChangeEvent(TNotifyEvent hook);
    void UnhookAttrChangeEvent(TNotifyEventChain::THookId id);

    // Each attribute reads or writes its subkey of key (see THighlightAttributes). False when
    // key cannot be opened (loading never creates it) or an attribute fails; the store's
    // current key is the same afterwards.
    virtual bool LoadFromRegistry(TSettingsStore &store, const QString &key);
    virtual bool SaveToRegistry(TSettingsStore &store, const QString &key);

protected:
    void DefHighlightChange(THighlightAttributes *attribute);

private:
    std::vector<std::unique_ptr<THighlightAttributes>> m_attributes;
    TNotifyEventChain m_attrChangeHooks;
    THighlighterExportTarget *m_exportTarget = nullptr;
    QString m_defaultFilter;
};
