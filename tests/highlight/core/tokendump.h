// Readable dumps of THTMLSyn tokens and ranges, shared by the highlighter tests.
#pragma once

#include "highlight/core/htmlsyn.h"

#include <QString>
#include <QStringList>
#include <vector>

inline QString KindName(int kind)
{
    static const char *const names[] = {"Entity", "Asp",    "Comment", "AttrName", "TagName",    "Eol",
                                        "Space",  "String", "Symbol",  "Text",     "UnknownTag", "Value"};
    return kind >= 0 && kind < THTMLSyn::TokenKindCount ? QString::fromLatin1(names[kind])
                                                        : QStringLiteral("Kind%1").arg(kind);
}

inline QString RangeName(TRangeState range)
{
    static const char *const names[] = {"EntityPending", "Asp",  "Comment", "TagName",
                                        "InTag",         "Text", "Unused",  "Value"};
    return range < 8 ? QString::fromLatin1(names[range]) : QStringLiteral("Range%1").arg(range);
}

// Quotes a token so that blanks, control characters and empty tokens stay visible.
inline QString Quoted(QStringView text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        default:
            if (c.unicode() < 32)
                out += QStringLiteral("\\x%1").arg(int(c.unicode()), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

// Every token of one line through the one-at-a-time interface, e.g. «Symbol"<" TagName"b"».
inline QString DumpLine(THTMLSyn &syn, QStringView line, TRangeState start, TRangeState *end = nullptr)
{
    QStringList parts;
    syn.SetRange(start);
    syn.SetLine(line, 0);
    int guard = 0;
    while (!syn.GetEol() && ++guard < 100000) {
        parts << KindName(syn.GetTokenKind()) + Quoted(syn.GetTokenView());
        syn.Next();
    }
    if (end)
        *end = syn.GetRange();
    return parts.join(QLatin1Char(' '));
}
