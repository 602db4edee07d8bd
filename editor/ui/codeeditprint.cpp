// Printing an editor's text page by page, coloured as on screen, with header and footer.
#include "editor/core/printmacros.h"
#include "editor/core/tabexpansion.h"
#include "editor/ui/codeeditview.h"
#include "editor/ui/tokensource.h"

#include <QPainter>
#include <QPrinter>

void TCodeEditView::Print(QPrinter *printer, const QString &title, const QString &header, const QString &footer)
{
    QPainter p;
    if (!p.begin(printer))
        return;
    QFont printFont = font();
    p.setFont(printFont);
    const QFontMetrics fm(printFont, printer);
    const int lineHeight = fm.height();
    const int charWidth = qMax(1, fm.horizontalAdvance(QLatin1Char('M')));
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    const QRect area(0, 0, page.width(), page.height());
    const int headerHeight = header.isEmpty() ? 0 : lineHeight * 2;
    const int footerHeight = footer.isEmpty() ? 0 : lineHeight * 2;
    const int linesPerPage = qMax(1, (area.height() - headerHeight - footerHeight) / lineHeight);
    const QDateTime now = QDateTime::currentDateTime();
    const int tabWidth = m_engine->TabWidth();

    int pageNumber = 1;
    for (int first = 0; first < m_engine->LineCount(); first += linesPerPage, ++pageNumber) {
        if (first > 0)
            printer->newPage();
        p.setPen(Qt::black);
        if (!header.isEmpty())
            p.drawText(QRect(0, 0, area.width(), lineHeight), Qt::AlignLeft,
                       ExpandPrintMacros(header, pageNumber, title, now));
        if (!footer.isEmpty())
            p.drawText(QRect(0, area.height() - lineHeight, area.width(), lineHeight), Qt::AlignRight,
                       ExpandPrintMacros(footer, pageNumber, title, now));
        const int last = qMin(m_engine->LineCount(), first + linesPerPage);
        for (int line = first; line < last; ++line) {
            const QString &stored = m_engine->Lines()[line];
            const QString text = TabExpansion::Expand(stored, tabWidth);
            const int y = headerHeight + (line - first) * lineHeight + fm.ascent();
            QList<TPaintToken> tokens;
            if (m_tokens)
                m_tokens->Tokens(text, line, m_engine->RangeAt(line), tokens, int(text.size()));
            if (tokens.isEmpty())
                tokens.append(TPaintToken{0, int(text.size()), {}, {}, false, false, false});
            for (const TPaintToken &t : tokens) {
                QFont f = printFont;
                f.setBold(t.Bold);
                f.setItalic(t.Italic);
                f.setUnderline(t.Underline);
                p.setFont(f);
                p.setPen(t.Foreground.isValid() ? t.Foreground : QColor(Qt::black));
                p.drawText(t.Start * charWidth, y, text.mid(t.Start, t.Length));
            }
        }
    }
    p.end();
}
