// The HTML highlighter: tags, attribute names and values, comments, server script, entities.
#pragma once

#include "highlight/core/highlighter.h"

class THTMLSyn final : public TCustomHighlighter
{
    Q_OBJECT
public:
    // GetTokenKind() values.
    enum TTokenKind : quint8 {
        tkEntity,   // one listed entity, "&amp;"
        tkAsp,      // "<%" .. "%>"
        tkComment,  // "<!--" .. "-->"
        tkAttrName, // a word inside a tag other than its name
        tkTagName,  // a known tag name right after "<"
        tkEol,
        tkSpace,      // blanks, control characters, line breaks
        tkString,     // a double-quoted string inside a tag, not after "="
        tkSymbol,     // "<", ">", "="
        tkText,       // document text outside tags
        tkUnknownTag, // a tag name not in the table
        tkValue,      // an attribute value after "="
    };
    static constexpr int TokenKindCount = tkValue + 1;

    // GetRange() values. A line that starts in rsAsp, rsComment, rsTagName, rsInTag, rsText or
    // rsValue also ends in one of them, so 0 (a line slot not yet scanned) never stops a rescan.
    enum TRange : quint8 {
        rsEntityPending, // a listed entity begins at the current position
        rsAsp,
        rsComment,
        rsTagName, // after "<": a tag name is expected
        rsInTag,
        rsText, // outside tags; the state at the start of a document
        rsUnused,
        rsValue, // after "=" inside a tag
    };

    explicit THTMLSyn(QObject *owner = nullptr);

    TRangeState ScanLine(QStringView line, int lineIndex, TRangeState start) override;
    bool IsIdentChar(QChar c) const override;
    bool CanResume() const override { return true; }
    int CheckpointLookahead() const override;
    TTokenCheckpoint LineStartCheckpoint(TRangeState start) const override;
    TRangeState TokenizeFrom(QStringView line, int lineIndex, TTokenCheckpoint from,
                             std::vector<THighlightToken> &tokens, int stopColumn, int keepFrom,
                             std::vector<TTokenCheckpoint> *checkpoints, int interval) override;

    void SetLine(QStringView text, int lineNumber) override;
    void Next() override;
    bool GetEol() const override { return m_tokenKind == tkEol; }
    TRangeState GetRange() const override { return m_range; }
    // Only the low byte counts, as the state is one byte wide.
    void SetRange(TRangeState state) override { m_range = quint8(state); }
    void ResetRange() override { m_range = rsText; }
    QString GetToken() const override;
    QStringView GetTokenView() const override;
    THighlightAttributes *GetTokenAttribute() const override;
    int GetTokenKind() const override { return m_tokenKind; }
    int GetTokenPos() const override { return int(m_tokenPos); }
    int LineNumber() const { return m_lineNumber; }

    void SetLineForExport(QStringView text) override;
    void ExportNext() override;

    TIdentChars GetIdentChars() const override;
    QString GetLanguageName() const override;
    THighlighterCapabilities GetCapability() const override;
    // 0 SpaceAttri, 1 CommentAttri, 2 KeyAttri.
    THighlightAttributes *GetDefaultAttribute(int index) const override;

    // The attribute of a token kind; nullptr for tkEol and unknown kinds.
    THighlightAttributes *AttributeOfKind(int kind) const;

    THighlightAttributes *AndAttri() const { return m_andAttri; }
    THighlightAttributes *ASPAttri() const { return m_aspAttri; }
    THighlightAttributes *CommentAttri() const { return m_commentAttri; }
    THighlightAttributes *IdentifierAttri() const { return m_identifierAttri; }
    THighlightAttributes *KeyAttri() const { return m_keyAttri; }
    THighlightAttributes *SpaceAttri() const { return m_spaceAttri; }
    THighlightAttributes *SymbolAttri() const { return m_symbolAttri; }
    THighlightAttributes *TextAttri() const { return m_textAttri; }
    THighlightAttributes *UndefKeyAttri() const { return m_undefKeyAttri; }
    THighlightAttributes *ValueAttri() const { return m_valueAttri; }

private:
    THighlightAttributes *MakeAttribute(const QString &name, TColor foreground, TColor background, TFontStyles style);
    void StartLine(QStringView text, int lineNumber);
    // The state between tokens: the range, the pending entity and the kind of the token before
    // (a stray "&" in a tag repeats it), at m_run.
    TTokenCheckpoint Checkpoint() const;
    inline void NextToken();
    inline void Dispatch();
    inline void SpaceProc();
    inline void OpenBracketProc();
    inline void BlockProc(quint8 kind, int markLength);
    inline void TextProc();
    inline void StringProc();
    inline void AmpersandProc();
    inline void WordProc();

    // The line is not copied; its characters are read only below m_length, so neither an
    // embedded NUL nor a missing terminator matters.
    const char16_t *m_line = nullptr;
    qsizetype m_length = 0;
    qsizetype m_run = 0; // index of the next character
    qsizetype m_tokenPos = 0;
    quint8 m_range = rsText;
    quint8 m_tokenKind = tkEol;
    int m_pendingEntity = -1; // entity that starts at m_run in rsEntityPending, -1 none
    int m_lineNumber = 0;

    THighlightAttributes *m_andAttri;
    THighlightAttributes *m_aspAttri;
    THighlightAttributes *m_commentAttri;
    THighlightAttributes *m_identifierAttri;
    THighlightAttributes *m_keyAttri;
    THighlightAttributes *m_spaceAttri;
    THighlightAttributes *m_symbolAttri;
    THighlightAttributes *m_textAttri;
    THighlightAttributes *m_undefKeyAttri;
    THighlightAttributes *m_valueAttri;
    THighlightAttributes *m_kindAttri[TokenKindCount];
};

// The colours the main window gives its shared HTMLHiLiter.
void SetupHTMLHiLiterColors(THTMLSyn &hiLiter);
