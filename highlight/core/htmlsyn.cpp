// The HTML highlighter: tags, attribute names and values, comments, server script, entities.
#include "highlight/core/htmlsyn.h"

#include "highlight/core/htmltables.h"

#include <algorithm>
#include <array>

namespace {

// What the character at the current position starts when the range leaves it to the table.
enum TDispatch : quint8 {
    dpWord, // every other character, also those beyond 8 bits
    dpSpace,
    dpLineFeed,
    dpReturn,
    dpOpenBracket,
    dpCloseBracket,
    dpEquals,
    dpString,
    dpAmpersand,
};

constexpr std::array<quint8, 256> BuildDispatch()
{
    std::array<quint8, 256> table{};
    // NUL inside a line is kept as a character (files are never truncated), so it takes the
    // place of the other control characters rather than ending the line early.
    for (int c = 0; c <= 32; ++c)
        table[size_t(c)] = dpSpace;
    table['\n'] = dpLineFeed;
    table['\r'] = dpReturn;
    table['<'] = dpOpenBracket;
    table['>'] = dpCloseBracket;
    table['='] = dpEquals;
    table['"'] = dpString;
    table['&'] = dpAmpersand;
    return table;
}

constexpr std::array<quint8, 256> kDispatch = BuildDispatch();

// A space run goes on over these; it stops before TAB, LF, CR and anything visible.
constexpr bool IsRunSpace(char16_t c)
{
    return c <= 32 && c != '\t' && c != '\n' && c != '\r';
}

constexpr bool IsLineBreak(char16_t c)
{
    return c == '\n' || c == '\r';
}

} // namespace

THTMLSyn::THTMLSyn(QObject *owner) : TCustomHighlighter(owner)
{
    m_andAttri = MakeAttribute(QStringLiteral("Escape ampersand"), clLime, clNone, fsBold);
    m_aspAttri = MakeAttribute(QStringLiteral("Asp"), clBlack, clYellow, {});
    m_commentAttri = MakeAttribute(QStringLiteral("Comment"), clNone, clNone, {});
    m_identifierAttri = MakeAttribute(QStringLiteral("Identifier"), clNone, clNone, fsBold);
    m_keyAttri = MakeAttribute(QStringLiteral("Reserved word"), 0xFF0080, clNone, fsBold);
    m_spaceAttri = MakeAttribute(QStringLiteral("Space"), clNone, clNone, {});
    m_symbolAttri = MakeAttribute(QStringLiteral("Symbol"), clNone, clNone, fsBold);
    m_textAttri = MakeAttribute(QStringLiteral("Text"), clNone, clNone, {});
    m_undefKeyAttri = MakeAttribute(QStringLiteral("Unknown word"), clRed, clNone, fsBold);
    m_valueAttri = MakeAttribute(QStringLiteral("Value"), 0xFF8000, clNone, {});

    m_kindAttri[tkEntity] = m_andAttri;
    m_kindAttri[tkAsp] = m_aspAttri;
    m_kindAttri[tkComment] = m_commentAttri;
    m_kindAttri[tkAttrName] = m_identifierAttri;
    m_kindAttri[tkTagName] = m_keyAttri;
    m_kindAttri[tkEol] = nullptr;
    m_kindAttri[tkSpace] = m_spaceAttri;
    m_kindAttri[tkString] = m_valueAttri;
    m_kindAttri[tkSymbol] = m_symbolAttri;
    m_kindAttri[tkText] = m_textAttri;
    m_kindAttri[tkUnknownTag] = m_undefKeyAttri;
    m_kindAttri[tkValue] = m_valueAttri;

    SetDefaultFilter(QStringLiteral("HTML Document (*.htm,*.html)|*.htm;*.html"));
}

THighlightAttributes *THTMLSyn::MakeAttribute(const QString &name, TColor foreground, TColor background,
                                              TFontStyles style)
{
    auto attribute = std::make_unique<THighlightAttributes>(name);
    attribute->SetForeground(foreground);
    attribute->SetBackground(background);
    attribute->SetStyle(style);
    return AddAttribute(std::move(attribute));
}

void SetupHTMLHiLiterColors(THTMLSyn &hiLiter)
{
    const auto set = [](THighlightAttributes *a, TColor background, TColor foreground, TFontStyles style) {
        a->SetBackground(background);
        a->SetForeground(foreground);
        a->SetStyle(style);
    };
    set(hiLiter.AndAttri(), clNone, clTeal, {});
    set(hiLiter.ASPAttri(), clYellow, clBlack, {});
    set(hiLiter.CommentAttri(), hiLiter.CommentAttri()->Background(), clGreen, fsItalic);
    set(hiLiter.IdentifierAttri(), hiLiter.IdentifierAttri()->Background(), clNone, {});
    set(hiLiter.KeyAttri(), hiLiter.KeyAttri()->Background(), clNavy, {});
    set(hiLiter.SpaceAttri(), clNone, clNone, {});
    set(hiLiter.SymbolAttri(), hiLiter.SymbolAttri()->Background(), clBlue, {});
    set(hiLiter.TextAttri(), clNone, clNone, {});
    set(hiLiter.UndefKeyAttri(), hiLiter.UndefKeyAttri()->Background(), clRed, fsUnderline);
    set(hiLiter.ValueAttri(), hiLiter.ValueAttri()->Background(), 16744576, {});
}

// --- Description ---

TIdentChars THTMLSyn::GetIdentChars() const
{
    TIdentChars chars;
    for (int c = '0'; c <= '9'; ++c)
        chars.set(size_t(c));
    for (int c = 'A'; c <= 'Z'; ++c) {
        chars.set(size_t(c));
        chars.set(size_t(c - 'A' + 'a'));
    }
    return chars;
}

bool THTMLSyn::IsIdentChar(QChar c) const
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

QString THTMLSyn::GetLanguageName() const
{
    return QStringLiteral("HTML Document");
}

THighlighterCapabilities THTMLSyn::GetCapability() const
{
    return TCustomHighlighter::GetCapability() | hcExportable;
}

THighlightAttributes *THTMLSyn::GetDefaultAttribute(int index) const
{
    switch (index) {
    case 0: return m_spaceAttri;
    case 1: return m_commentAttri;
    case 2: return m_keyAttri;
    default: return nullptr;
    }
}

THighlightAttributes *THTMLSyn::AttributeOfKind(int kind) const
{
    return kind >= 0 && kind < TokenKindCount ? m_kindAttri[kind] : nullptr;
}

// --- Token access ---

QString THTMLSyn::GetToken() const
{
    return GetTokenView().toString();
}

QStringView THTMLSyn::GetTokenView() const
{
    return QStringView(m_line + m_tokenPos, m_run - m_tokenPos);
}

THighlightAttributes *THTMLSyn::GetTokenAttribute() const
{
    return m_kindAttri[m_tokenKind];
}

// --- The tokenizer ---

void THTMLSyn::StartLine(QStringView text, int lineNumber)
{
    m_line = text.utf16();
    m_length = text.size();
    m_run = 0;
    m_tokenPos = 0;
    m_lineNumber = lineNumber;
    // A stray "&" keeps the kind of the token before it; at the start of a line there is none,
    // and the end-of-line kind of the previous line would end this one before it began.
    m_tokenKind = tkText;
    // An entity is only ever pending for the "&" right after the text token that found it;
    // one left over from an abandoned line must not be applied to this one.
    m_pendingEntity = -1;
}

void THTMLSyn::SetLine(QStringView text, int lineNumber)
{
    StartLine(text, lineNumber);
    NextToken();
}

void THTMLSyn::Next()
{
    NextToken();
}

void THTMLSyn::SetLineForExport(QStringView text)
{
    StartLine(text, 0);
    ExportNext();
}

void THTMLSyn::ExportNext()
{
    NextToken();
    if (THighlighterExportTarget *target = ExportTarget())
        target->ExportToken(GetTokenView(), m_tokenKind, GetTokenAttribute());
}

TRangeState THTMLSyn::ScanLine(QStringView line, int lineIndex, TRangeState start)
{
    SetRange(start);
    StartLine(line, lineIndex);
    do
        NextToken();
    while (m_tokenKind != tkEol);
    return m_range;
}

// "<!--" is told from "<" by the three characters after the "<"'s end; a text token ends before
// a listed entity, which is matched whole past its end.
int THTMLSyn::CheckpointLookahead() const
{
    static const int lookahead = [] {
        int longest = 3;
        for (const std::string_view entity : HtmlEntities())
            longest = std::max(longest, int(entity.size()));
        return longest;
    }();
    return lookahead;
}

TTokenCheckpoint THTMLSyn::Checkpoint() const
{
    return {int(m_run), quint64(m_range) | quint64(m_pendingEntity + 1) << 8 | quint64(m_tokenKind) << 24};
}

TTokenCheckpoint THTMLSyn::LineStartCheckpoint(TRangeState start) const
{
    // As StartLine leaves a line: no pending entity, text before it.
    return {0, quint64(quint8(start)) | quint64(tkText) << 24};
}

TRangeState THTMLSyn::TokenizeFrom(QStringView line, int lineIndex, TTokenCheckpoint from,
                                   std::vector<THighlightToken> &tokens, int stopColumn, int keepFrom,
                                   std::vector<TTokenCheckpoint> *checkpoints, int interval)
{
    tokens.clear();
    StartLine(line, lineIndex);
    m_run = m_tokenPos = std::clamp<qsizetype>(from.Column, 0, m_length);
    m_range = quint8(from.State);
    const int pending = int((from.State >> 8) & 0xFFFF) - 1;
    m_pendingEntity = pending < int(HtmlEntities().size()) ? pending : -1;
    const quint8 kind = quint8(from.State >> 24);
    m_tokenKind = kind < TokenKindCount && kind != tkEol ? kind : quint8(tkText);

    const bool record = checkpoints && interval > 0;
    qsizetype nextMark = record ? (m_run / interval + 1) * interval : m_length + 1;
    for (;;) {
        NextToken();
        if (m_tokenKind == tkEol)
            break;
        if (m_run > keepFrom)
            tokens.push_back({int(m_tokenPos), int(m_run - m_tokenPos), m_tokenKind, m_kindAttri[m_tokenKind]});
        if (m_run >= nextMark) {
            checkpoints->push_back(Checkpoint());
            nextMark = (m_run / interval + 1) * interval;
        }
        if (m_run > stopColumn)
            break;
    }
    return m_range;
}

inline void THTMLSyn::NextToken()
{
    m_tokenPos = m_run;
    switch (m_range) {
    case rsAsp: BlockProc(tkAsp, 1); break;
    case rsComment: BlockProc(tkComment, 2); break;
    case rsText: TextProc(); break;
    default: Dispatch(); break;
    }
}

inline void THTMLSyn::Dispatch()
{
    if (m_run >= m_length) {
        m_tokenKind = tkEol;
        return;
    }
    const char16_t c = m_line[m_run];
    switch (c < 256 ? kDispatch[c] : quint8(dpWord)) {
    case dpSpace: SpaceProc(); break;
    case dpLineFeed:
        m_tokenKind = tkSpace;
        ++m_run;
        break;
    case dpReturn:
        m_tokenKind = tkSpace;
        ++m_run;
        if (m_run < m_length && m_line[m_run] == '\n')
            ++m_run;
        break;
    case dpOpenBracket: OpenBracketProc(); break;
    case dpCloseBracket:
        m_range = rsText;
        m_tokenKind = tkSymbol;
        ++m_run;
        break;
    case dpEquals:
        m_range = rsValue;
        m_tokenKind = tkSymbol;
        ++m_run;
        break;
    case dpString: StringProc(); break;
    case dpAmpersand: AmpersandProc(); break;
    default: WordProc(); break;
    }
}

inline void THTMLSyn::SpaceProc()
{
    m_tokenKind = tkSpace;
    ++m_run;
    while (m_run < m_length && IsRunSpace(m_line[m_run]))
        ++m_run;
}

inline void THTMLSyn::OpenBracketProc()
{
    ++m_run;
    if (m_run + 3 <= m_length && m_line[m_run] == '!' && m_line[m_run + 1] == '-' && m_line[m_run + 2] == '-') {
        m_range = rsComment;
        m_tokenKind = tkComment;
        m_run += 3;
    } else if (m_run < m_length && m_line[m_run] == '%') {
        m_range = rsAsp;
        m_tokenKind = tkAsp;
        ++m_run;
    } else {
        m_range = rsTagName;
        m_tokenKind = tkSymbol;
    }
}

// A comment ("--" before the closing ">") or a server-script block ("%" before it). The end
// mark must stand on the same line, so "--" at the end of one line and ">" at the start of the
// next do not close a comment.
inline void THTMLSyn::BlockProc(quint8 kind, int markLength)
{
    if (m_run >= m_length || IsLineBreak(m_line[m_run])) {
        Dispatch();
        return;
    }
    m_tokenKind = kind;
    const char16_t mark = markLength == 2 ? u'-' : u'%';
    while (m_run < m_length) {
        const char16_t c = m_line[m_run];
        if (IsLineBreak(c))
            return;
        if (c == '>' && m_run >= markLength && m_line[m_run - 1] == mark
            && (markLength == 1 || m_line[m_run - 2] == mark)) {
            m_range = rsText;
            ++m_run;
            return;
        }
        ++m_run;
    }
}

inline void THTMLSyn::TextProc()
{
    if (m_run >= m_length) {
        m_tokenKind = tkEol;
        return;
    }
    if (m_line[m_run] < 32 || m_line[m_run] == '<') {
        Dispatch();
        return;
    }
    m_tokenKind = tkText;
    for (;;) {
        while (m_run < m_length) {
            const char16_t c = m_line[m_run];
            if (c < 32 || c == '&' || c == '<')
                break;
            ++m_run;
        }
        if (m_run >= m_length || m_line[m_run] != '&')
            return;
        const int entity = MatchHtmlEntity(m_line + m_run, m_length - m_run);
        if (entity >= 0) {
            // The entity becomes a token of its own; the text before it ends here.
            m_pendingEntity = entity;
            m_range = rsEntityPending;
            return;
        }
        ++m_run;
    }
}

inline void THTMLSyn::StringProc()
{
    if (m_range == rsValue) {
        m_range = rsInTag;
        m_tokenKind = tkValue;
    } else {
        m_tokenKind = tkString;
    }
    ++m_run;
    while (m_run < m_length) {
        const char16_t c = m_line[m_run];
        if (c == '"') {
            ++m_run;
            return;
        }
        if (IsLineBreak(c))
            return;
        ++m_run;
    }
}

// Reached for a pending entity, or for a stray "&" inside a tag: that yields an empty token of
// the previous kind and leaves the tag, so the "&" is scanned again as text.
inline void THTMLSyn::AmpersandProc()
{
    if (m_pendingEntity >= 0) {
        m_tokenKind = tkEntity;
        m_run = std::min(m_run + HtmlEntityLength(m_pendingEntity), m_length);
    }
    m_pendingEntity = -1;
    m_range = rsText;
}

inline void THTMLSyn::WordProc()
{
    switch (m_range) {
    case rsTagName: {
        m_range = rsInTag;
        int hash = 0;
        const int length = ScanHtmlTagName(m_line + m_run, m_length - m_run, &hash);
        if (hash >= kHtmlTagHashSlots)
            m_tokenKind = tkAttrName;
        else
            m_tokenKind = IsHtmlTagName(m_line + m_run, length, hash) ? tkTagName : tkUnknownTag;
        m_run += length;
        break;
    }
    case rsValue:
        m_range = rsInTag;
        m_tokenKind = tkValue;
        ++m_run;
        while (m_run < m_length && m_line[m_run] >= 33 && m_line[m_run] != '>')
            ++m_run;
        break;
    default:
        m_tokenKind = tkAttrName;
        ++m_run;
        while (m_run < m_length) {
            const char16_t c = m_line[m_run];
            if (c < 33 || c == '"' || c == '=' || c == '>')
                break;
            ++m_run;
        }
        break;
    }
}
