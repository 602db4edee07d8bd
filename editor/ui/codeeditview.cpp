// The painting view of an editing engine: text grid, gutter, caret, mouse, keys and scrolling.
#include "editor/ui/codeeditview.h"

#include "editor/core/tabexpansion.h"
#include "editor/ui/keymapping.h"
#include "editor/ui/qtclipboard.h"
#include "editor/ui/tokensource.h"

#include <algorithm>
#include <QApplication>
#include <QDrag>
#include <QFontDatabase>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <QtMath>
#include <cmath>

namespace {
// Marks data dragged out of an editor, so that a drop back into it moves or copies the block.
const QString kInternalDragMime = QStringLiteral("application/x-tagforge-editor-block");
} // namespace

TCodeEditView::TCodeEditView(TCodeEdit *engine, QWidget *parent) : QAbstractScrollArea(parent), m_engine(engine)
{
    setObjectName(QStringLiteral("CodeEditView"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_rightEdgeColor = QColor(0xC0, 0xC0, 0xC0);
    ReadPaletteColors();

    if (!m_engine->Clipboard()) {
        static TQtEditClipboard sharedClipboard;
        m_engine->SetClipboard(&sharedClipboard);
    }
    m_gutter.OnChange = [this] { UpdateMetrics(); };

    connect(m_engine, &TCodeEdit::linesInvalidated, this, &TCodeEditView::OnLinesInvalidated);
    connect(m_engine, &TCodeEdit::statusChanged, this, &TCodeEditView::OnStatusChanged);
    connect(m_engine, &TCodeEdit::scrollRangeChanged, this, [this] {
        m_gutter.AutoSizeDigitCount(m_engine->LineCount());
        UpdateMetrics();
    });

    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int value) {
        if (m_engine->Options() & eoShowScrollHint)
            QToolTip::showText(QCursor::pos(), QStringLiteral("Top Line: %1").arg(value + 1), this);
    });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [] { QToolTip::hideText(); });

    m_caretTimer.setInterval(QApplication::cursorFlashTime() > 0 ? QApplication::cursorFlashTime() / 2 : 500);
    connect(&m_caretTimer, &QTimer::timeout, this, [this] {
        m_caretOn = !m_caretOn;
        viewport()->update(CaretRect());
    });
    m_scrollTimer.setInterval(50);
    connect(&m_scrollTimer, &QTimer::timeout, this, &TCodeEditView::AutoScroll);

    SetEditorFont(DefaultFont());
}

TCodeEditView::~TCodeEditView() = default;

QFont TCodeEditView::DefaultFont(int pointSize)
{
    QFont font;
    if (QFontDatabase::families().contains(QStringLiteral("Courier New"))) {
        font = QFont(QStringLiteral("Courier New"), pointSize);
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(pointSize);
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

void TCodeEditView::SetTokenSource(TViewTokenSource *source)
{
    m_tokens = source;
    viewport()->update();
}

void TCodeEditView::SetEditorFont(const QFont &font)
{
    setFont(font);
    UpdateMetrics();
}

void TCodeEditView::SetColor(const QColor &color)
{
    m_background = color;
    viewport()->update();
}

void TCodeEditView::SetExtraLineSpacing(int value)
{
    m_extraLineSpacing = value;
    UpdateMetrics();
}

void TCodeEditView::SetRightEdge(int value)
{
    m_rightEdge = value;
    viewport()->update();
}

void TCodeEditView::SetRightEdgeColor(const QColor &color)
{
    m_rightEdgeColor = color;
    viewport()->update();
}

void TCodeEditView::SetSelectedColor(const QColor &background, const QColor &foreground)
{
    m_selectedBackground = background;
    m_selectedForeground = foreground;
    viewport()->update();
}

void TCodeEditView::SetInsertCaret(TCaretType type)
{
    m_insertCaret = type;
    viewport()->update(CaretRect());
}

void TCodeEditView::SetOverwriteCaret(TCaretType type)
{
    m_overwriteCaret = type;
    viewport()->update(CaretRect());
}

int TCodeEditView::GutterWidth() const
{
    return m_gutter.RealGutterWidth(m_charWidth);
}

// Spacing that makes every character of f exactly width pixels wide, so that text drawn as a run
// stays on the grid however the font rounds its advances.
static QFont GridFont(QFont f, int width)
{
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const qreal advance = QFontMetricsF(f).horizontalAdvance(QLatin1Char('M'));
    f.setLetterSpacing(QFont::AbsoluteSpacing, width - advance);
    return f;
}

void TCodeEditView::UpdateMetrics()
{
    const QFontMetricsF fmf(font());
    m_charWidth = qMax(1, qCeil(fmf.horizontalAdvance(QLatin1Char('M')) - 0.01));
    for (int style = 0; style < 8; ++style) {
        QFont f = font();
        f.setBold(style & 1);
        f.setItalic(style & 2);
        f.setUnderline(style & 4);
        m_gridFonts[style] = GridFont(f, m_charWidth);
    }
    const QFontMetrics fm(font());
    m_lineHeight = qMax(1, fm.height() + m_extraLineSpacing);
    m_ascent = fm.ascent();
    m_gutter.AutoSizeDigitCount(m_engine->LineCount());
    const QSize size = viewport()->size();
    m_engine->SetLinesInWindow(qMax(1, size.height() / m_lineHeight));
    m_engine->SetCharsInWindow(qMax(1, (size.width() - GutterWidth() - 2) / m_charWidth));
    UpdateScrollBars();
    viewport()->update();
}

void TCodeEditView::UpdateScrollBars()
{
    m_updatingScrollBars = true;
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, qMax(0, m_engine->LineCount() - 1));
    v->setPageStep(m_engine->LinesInWindow());
    v->setSingleStep(1);
    v->setValue(m_engine->TopLine() - 1);
    QScrollBar *h = horizontalScrollBar();
    const int chars = m_engine->CharsInWindow();
    const int widest = qMax(m_maxDisplayWidth + 1, m_engine->LeftChar() - 1 + chars);
    h->setRange(0, qMax(0, widest - chars));
    h->setPageStep(chars);
    h->setSingleStep(1);
    h->setValue(m_engine->LeftChar() - 1);
    m_updatingScrollBars = false;
}

void TCodeEditView::scrollContentsBy(int, int)
{
    if (m_updatingScrollBars)
        return;
    m_engine->SetTopLine(verticalScrollBar()->value() + 1);
    m_engine->SetLeftChar(horizontalScrollBar()->value() + 1);
}

void TCodeEditView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateMetrics();
}

TBufferCoord TCodeEditView::PixelsToRowColumn(const QPoint &pixel) const
{
    const double exact = double(pixel.x() + (m_engine->LeftChar() - 1) * m_charWidth - GutterWidth() - 2) / m_charWidth;
    const int displayColumn = qMax(1, int(std::lround(exact)) + 1);
    int line = (pixel.y() >= 0 ? pixel.y() / m_lineHeight : -1) + m_engine->TopLine();
    line = qBound(1, line, qMax(1, m_engine->LineCount()));
    return BufferCoord(m_engine->BufferColumn(line, displayColumn), line);
}

QPoint TCodeEditView::RowColumnToPixels(TBufferCoord pos) const
{
    const int textOffset = GutterWidth() + 2 - (m_engine->LeftChar() - 1) * m_charWidth;
    return QPoint((m_engine->DisplayColumn(pos.Y, pos.X) - 1) * m_charWidth + textOffset,
                  (pos.Y - m_engine->TopLine()) * m_lineHeight);
}

void TCodeEditView::OnLinesInvalidated(int firstLine, int lastLine)
{
    const int top = m_engine->TopLine();
    const int first = qMax(firstLine, top);
    const int last = qMin(lastLine, top + m_engine->LinesInWindow() + 1);
    if (last < first)
        return;
    viewport()->update(QRect(0, (first - top) * m_lineHeight, viewport()->width(), (last - first + 1) * m_lineHeight));
}

void TCodeEditView::OnStatusChanged(TStatusChanges changes)
{
    // The engine has scrolled to the caret; the horizontal range keeps the widest column it reached.
    if (changes & (scCaretX | scCaretY))
        m_maxDisplayWidth = qMax(m_maxDisplayWidth, m_engine->CaretDisplayX());
    if (changes & (scTopLine | scLeftChar)) {
        viewport()->update();
    }
    if (changes & (scCaretX | scCaretY | scSelection | scInsertMode)) {
        RestartCaretBlink();
        viewport()->update();
    }
    UpdateScrollBars();
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

QRect TCodeEditView::CaretRect() const
{
    const QPoint p = RowColumnToPixels(m_engine->CaretXY());
    return QRect(p.x() - 1, p.y(), m_charWidth + 2, m_lineHeight);
}

void TCodeEditView::RestartCaretBlink()
{
    m_caretOn = true;
    if (m_hasFocus)
        m_caretTimer.start();
}

bool TCodeEditView::SelectionOnLine(int line, QStringView text, int &from, int &to) const
{
    if (!m_engine->SelAvail() && m_engine->SelectionMode() != smLine)
        return false;
    const TBufferCoord b = m_engine->BlockBegin();
    const TBufferCoord e = m_engine->BlockEnd();
    if (b == e || line < b.Y || line > e.Y)
        return false;
    const int tab = m_engine->TabWidth();
    auto display = [&](int column) {
        return TabExpansion::HasTabs(text) ? TabExpansion::ToDisplayColumn(text, column, tab) : column;
    };
    const int lineEnd = display(int(text.size()) + 1);
    switch (m_engine->SelectionMode()) {
    case smLine:
        from = 1;
        to = lineEnd + 1;
        break;
    case smColumn: {
        const int left = qMin(display(b.X), display(e.X));
        const int right = qMax(display(b.X), display(e.X));
        from = left;
        to = right;
        break;
    }
    case smNormal:
        from = line == b.Y ? display(b.X) : 1;
        // A selected line break shows as one selected cell past the end of the line.
        to = line == e.Y ? display(e.X) : lineEnd + 1;
        break;
    }
    return to > from;
}

void TCodeEditView::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const QRect clip = event->rect();
    p.fillRect(clip, m_background);
    p.setFont(font());

    const int top = m_engine->TopLine();
    const int firstLine = top + clip.top() / m_lineHeight;
    const int lastLine = qMin(m_engine->LineCount(), top + clip.bottom() / m_lineHeight);
    for (int line = firstLine; line <= lastLine; ++line)
        PaintLine(p, line, (line - top) * m_lineHeight, clip);

    const int textOffset = GutterWidth() + 2 - (m_engine->LeftChar() - 1) * m_charWidth;
    if (m_rightEdge > 0) {
        const int x = m_rightEdge * m_charWidth + textOffset;
        if (x >= clip.left() && x <= clip.right() && x > GutterWidth()) {
            p.setPen(QPen(m_rightEdgeColor, 1));
            p.drawLine(x, clip.top(), x, clip.bottom());
        }
    }
    if (GutterWidth() > 0 && clip.left() < GutterWidth())
        PaintGutter(p, firstLine, qMax(lastLine, firstLine));

    const bool showCaret = (m_hasFocus && m_caretOn && !(m_engine->Options() & eoNoCaret)) || m_dropCaretShown;
    if (showCaret) {
        const QPoint pt = RowColumnToPixels(m_dropCaretShown ? m_dropCoord : m_engine->CaretXY());
        if (pt.x() >= GutterWidth()) {
            const TCaretType type = m_engine->InsertMode() || m_dropCaretShown ? m_insertCaret : m_overwriteCaret;
            QRect r;
            switch (type) {
            case ctVerticalLine: r = QRect(pt.x(), pt.y(), 2, m_lineHeight); break;
            case ctHorizontalLine: r = QRect(pt.x(), pt.y() + m_lineHeight - 2, m_charWidth, 2); break;
            case ctHalfBlock:
                r = QRect(pt.x(), pt.y() + m_lineHeight / 2, m_charWidth, m_lineHeight - m_lineHeight / 2);
                break;
            case ctBlock: r = QRect(pt.x(), pt.y(), m_charWidth, m_lineHeight); break;
            }
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.fillRect(r, Qt::white);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
}

void TCodeEditView::PaintLine(QPainter &p, int line, int y, const QRect &clip)
{
    const QString &stored = m_engine->Lines()[line - 1];
    const bool tabs = TabExpansion::HasTabs(stored);
    const QString expanded = tabs ? TabExpansion::Expand(stored, m_engine->TabWidth()) : QString();
    const QStringView text = tabs ? QStringView(expanded) : QStringView(stored);
    m_maxDisplayWidth = qMax(m_maxDisplayWidth, int(qMin<qsizetype>(text.size(), 1 << 24)));

    const int gutter = GutterWidth();
    const int textOffset = gutter + 2 - (m_engine->LeftChar() - 1) * m_charWidth;
    // Only the painted window of a long line is drawn; tokens are still computed from its start.
    const int firstVisible = qMax(0, (qMax(clip.left(), gutter) - textOffset) / m_charWidth - 1);
    const int lastVisible = (clip.right() - textOffset) / m_charWidth + 1;
    const int baseline = y + m_ascent + m_extraLineSpacing / 2;

    QColor lineFg, lineBg;
    bool special = false;
    if (OnSpecialLineColors)
        OnSpecialLineColors(this, line, special, lineFg, lineBg);
    if (special && lineBg.isValid())
        p.fillRect(QRect(gutter, y, viewport()->width() - gutter, m_lineHeight), lineBg);
    else if (m_tokens && m_tokens->SpaceBackground().isValid())
        p.fillRect(QRect(gutter, y, viewport()->width() - gutter, m_lineHeight), m_tokens->SpaceBackground());

    QList<TPaintToken> tokens;
    if (m_tokens)
        m_tokens->Tokens(text, line - 1, m_engine->RangeAt(line - 1), tokens, lastVisible, firstVisible);
    if (tokens.isEmpty())
        tokens.append(TPaintToken{0, int(text.size()), {}, {}, false, false, false});

    auto drawRun = [&](int start, int length, const QColor &fg, const QColor &bg, const QFont &f) {
        const int from = qMax(start, firstVisible);
        const int to = qMin(start + length, lastVisible);
        if (to <= from)
            return;
        const QRect r(textOffset + from * m_charWidth, y, (to - from) * m_charWidth, m_lineHeight);
        if (bg.isValid())
            p.fillRect(r, bg);
        p.setPen(fg);
        p.setFont(f);
        // One character per cell keeps the grid exact even where a glyph is wider.
        const QStringView run = text.mid(from, to - from);
        bool plain = true;
        for (QChar c : run)
            if (c.unicode() < 32 || c.unicode() > 0x2FF || c.isSurrogate()) {
                plain = false;
                break;
            }
        if (plain) {
            p.drawText(r.left(), baseline, run.toString());
        } else {
            for (int i = 0; i < run.size(); ++i) {
                QChar c = run.at(i);
                QString glyph = c.unicode() < 32 ? QString(QChar(0x2400 + c.unicode())) : QString(c);
                if (c.isHighSurrogate() && i + 1 < run.size()) {
                    glyph += run.at(i + 1);
                    p.drawText(r.left() + i * m_charWidth, baseline, glyph);
                    ++i;
                    continue;
                }
                p.drawText(r.left() + i * m_charWidth, baseline, glyph);
            }
        }
    };

    const QFont &base = m_gridFonts[0];
    for (const TPaintToken &t : tokens) {
        const QFont &f = m_gridFonts[(t.Bold ? 1 : 0) | (t.Italic ? 2 : 0) | (t.Underline ? 4 : 0)];
        const QColor fg = special && lineFg.isValid() ? lineFg : t.Foreground.isValid() ? t.Foreground : m_foreground;
        const QColor bg = special && lineBg.isValid() ? QColor() : t.Background;
        drawRun(t.Start, t.Length, fg, bg, f);
    }

    int selFrom = 0, selTo = 0;
    const bool showSelection = m_hasFocus || !m_engine->HideSelection();
    if (showSelection && SelectionOnLine(line, stored, selFrom, selTo)) {
        const int from = selFrom - 1;
        const int to = selTo - 1;
        const int visFrom = qMax(from, firstVisible);
        const int visTo = qMin(to, lastVisible);
        if (visTo > visFrom) {
            const QRect r(textOffset + visFrom * m_charWidth, y, (visTo - visFrom) * m_charWidth, m_lineHeight);
            p.fillRect(r, m_selectedBackground);
            const int textTo = qMin<int>(visTo, int(text.size()));
            if (textTo > visFrom)
                drawRun(visFrom, textTo - visFrom, m_selectedForeground, QColor(), base);
        }
    }
}

void TCodeEditView::PaintGutter(QPainter &p, int firstLine, int lastLine)
{
    const int width = GutterWidth();
    const int top = m_engine->TopLine();
    p.fillRect(QRect(0, (firstLine - top) * m_lineHeight, width, (lastLine - firstLine + 2) * m_lineHeight),
               m_gutterColor);
    p.setFont(font());
    if (m_gutter.ShowLineNumbers()) {
        p.setPen(palette().color(QPalette::ButtonText));
        for (int line = firstLine; line <= qMin(lastLine, m_engine->LineCount()); ++line) {
            const int y = (line - top) * m_lineHeight;
            const QString number = m_gutter.FormatLineNumber(line);
            p.drawText(QRect(m_gutter.LeftOffset(), y, width - m_gutter.LeftOffset() - m_gutter.RightOffset() - 2,
                             m_lineHeight),
                       Qt::AlignRight | Qt::AlignVCenter, number);
        }
    }
    TEditBookmarkOptions &bookmarks = m_engine->BookMarkOptions();
    if (bookmarks.GlyphsVisible()) {
        QFont small = font();
        small.setBold(true);
        small.setPointSizeF(qMax(6.0, font().pointSizeF() * 0.8));
        p.setFont(small);
        for (int line = firstLine; line <= qMin(lastLine, m_engine->LineCount()); ++line) {
            int slot = 0;
            for (TMark *mark : m_engine->Marks().GetMarksForLine(line)) {
                if (!mark->Visible())
                    continue;
                const int y = (line - top) * m_lineHeight;
                // With line numbers the glyph sits right of them, never over a digit, and
                // shrinks to the strip left there rather than reach into the text.
                int left = bookmarks.LeftMargin() + slot * bookmarks.Xoffset();
                if (m_gutter.ShowLineNumbers())
                    left = qMax(left, width - m_gutter.RightOffset() - 1 + slot * bookmarks.Xoffset());
                const int side = std::max(8, std::min({m_lineHeight - 2, 14, width - left}));
                const QRect r(left, y + (m_lineHeight - side) / 2, side, side);
                p.setPen(QColor(0x1f, 0x4e, 0x79));
                p.setBrush(QColor(0xff, 0xe0, 0x80));
                p.drawRoundedRect(r.adjusted(0, 0, -1, -1), 2, 2);
                p.drawText(r, Qt::AlignCenter, QString::number(mark->ImageIndex()));
                ++slot;
            }
        }
        p.setBrush(Qt::NoBrush);
    }
}

bool TCodeEditView::IsKeyBound(QKeyEvent *event) const
{
    const TKeyTranslation key = TranslateQtKey(event);
    if (key.Code == 0)
        return false;
    return const_cast<TCodeEdit *>(m_engine)->Keystrokes().FindKeycode(key.Code, key.Shift) >= 0;
}

void TCodeEditView::ReadPaletteColors()
{
    const QPalette pal = palette();
    m_background = pal.color(QPalette::Base);
    m_foreground = pal.color(QPalette::Text);
    m_gutterColor = pal.color(QPalette::Button);
    m_selectedBackground = pal.color(QPalette::Highlight);
    m_selectedForeground = pal.color(QPalette::HighlightedText);
}

bool TCodeEditView::event(QEvent *event)
{
    // The text area follows the palette, so that a dark desktop or a scheme set on the view
    // reaches it like any other widget.
    if (event->type() == QEvent::PaletteChange) {
        ReadPaletteColors();
        viewport()->update();
    }
    // Keys the editor binds win over shortcuts while it has the focus, unless the window claims
    // them: its menu items and mnemonics come first, the keystroke table keeps the rest.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeyCombination combination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
        if (IsClaimedShortcut && IsClaimedShortcut(combination))
            return QAbstractScrollArea::event(event);
        if (IsKeyBound(key)
            || (!key->text().isEmpty() && key->text().at(0).isPrint()
                && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool TCodeEditView::focusNextPrevChild(bool)
{
    // Tab is a character here, not a way out of the editor.
    return false;
}

void TCodeEditView::keyPressEvent(QKeyEvent *event)
{
    TKeyTranslation key = TranslateQtKey(event);
    // A key the table cannot name ("<", "é", Shift alone) still goes down as a keystroke of its
    // own: otherwise a bound key pressed before it (an arrow) would make the engine drop its
    // character as if it were the bound key's.
    quint16 code = key.Code != 0 ? key.Code : kUnnamedKeyCode;
    m_engine->KeyDown(code, key.Shift);
    if (code == 0) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!text.isEmpty() && !command) {
        for (QChar c : text) {
            if (c.unicode() < 32 && c != QLatin1Char('\t'))
                continue;
            m_engine->KeyPress(c);
        }
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TCodeEditView::inputMethodEvent(QInputMethodEvent *event)
{
    for (QChar c : event->commitString()) {
        QChar ch = c;
        m_engine->KeyPress(ch);
    }
    event->accept();
}

QVariant TCodeEditView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle)
        return CaretRect();
    if (query == Qt::ImEnabled)
        return true;
    return QAbstractScrollArea::inputMethodQuery(query);
}

void TCodeEditView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    const TBufferCoord coord = PixelsToRowColumn(pos);
    if (pos.x() < GutterWidth()) {
        if (OnGutterClick) {
            const auto marks = m_engine->Marks().GetMarksForLine(coord.Y);
            OnGutterClick(this, pos.x(), pos.y(), coord.Y, marks.empty() ? nullptr : marks.front());
        }
        if (event->button() == Qt::LeftButton) {
            TBufferCoord start = BufferCoord(1, coord.Y);
            m_engine->CommandProcessor(ecGotoXY, QChar(), &start);
        }
        return;
    }
    if (event->button() == Qt::RightButton)
        return; // the context menu works on the selection as it is
    if (event->button() != Qt::LeftButton)
        return;
    m_pressPos = pos;
    m_pressCoord = coord;
    if ((m_engine->Options() & eoDragDropEditing) && m_engine->IsPointInSelection(coord)
        && !(event->modifiers() & Qt::ShiftModifier)) {
        m_dragArmed = true;
        return;
    }
    TBufferCoord target = coord;
    m_engine->CommandProcessor(event->modifiers() & Qt::ShiftModifier ? ecSelGotoXY : ecGotoXY, QChar(), &target);
    m_mouseSelecting = true;
}

void TCodeEditView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragArmed && (event->buttons() & Qt::LeftButton)) {
        if ((pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
            return;
        m_dragArmed = false;
        auto *drag = new QDrag(this);
        auto *mime = new QMimeData;
        mime->setText(m_engine->SelText());
        mime->setData(kInternalDragMime, QByteArray::number(quintptr(this)));
        drag->setMimeData(mime);
        drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
        return;
    }
    if (m_mouseSelecting && (event->buttons() & Qt::LeftButton)) {
        if (!viewport()->rect().contains(pos)) {
            if (!m_scrollTimer.isActive())
                m_scrollTimer.start();
        } else {
            m_scrollTimer.stop();
        }
        TBufferCoord target = PixelsToRowColumn(pos);
        m_engine->CommandProcessor(ecSelGotoXY, QChar(), &target);
    }
}

void TCodeEditView::AutoScroll()
{
    if (!m_mouseSelecting) {
        m_scrollTimer.stop();
        return;
    }
    const QPoint pos = viewport()->mapFromGlobal(QCursor::pos());
    if (pos.y() < 0)
        m_engine->SetTopLine(m_engine->TopLine() - 1);
    else if (pos.y() > viewport()->height())
        m_engine->SetTopLine(m_engine->TopLine() + 1);
    if (pos.x() < GutterWidth())
        m_engine->SetLeftChar(m_engine->LeftChar() - 1);
    else if (pos.x() > viewport()->width())
        m_engine->SetLeftChar(m_engine->LeftChar() + 1);
    TBufferCoord target = PixelsToRowColumn(
        QPoint(qBound(GutterWidth(), pos.x(), viewport()->width()), qBound(-1, pos.y(), viewport()->height())));
    m_engine->CommandProcessor(ecSelGotoXY, QChar(), &target);
}

void TCodeEditView::mouseReleaseEvent(QMouseEvent *event)
{
    m_scrollTimer.stop();
    if (m_dragArmed && event->button() == Qt::LeftButton) {
        // A click inside the selection without dragging places the caret there.
        m_dragArmed = false;
        TBufferCoord target = m_pressCoord;
        m_engine->CommandProcessor(ecGotoXY, QChar(), &target);
    }
    m_mouseSelecting = false;
}

void TCodeEditView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || event->position().x() < GutterWidth())
        return;
    m_engine->SetWordBlock(PixelsToRowColumn(event->position().toPoint()));
    m_mouseSelecting = false;
    m_dragArmed = false;
}

void TCodeEditView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int lines = m_wheel.Add(delta, event->modifiers() & Qt::ControlModifier, m_engine->LinesInWindow(),
                                  m_engine->Options() & eoHalfPageScroll);
    if (lines != 0)
        m_engine->SetTopLine(m_engine->TopLine() - lines);
    event->accept();
}

void TCodeEditView::focusInEvent(QFocusEvent *event)
{
    m_hasFocus = true;
    RestartCaretBlink();
    viewport()->update();
    QAbstractScrollArea::focusInEvent(event);
    Q_EMIT focusGained();
}

void TCodeEditView::focusOutEvent(QFocusEvent *event)
{
    m_hasFocus = false;
    m_caretTimer.stop();
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
    Q_EMIT focusLost();
}

void TCodeEditView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText())
        event->acceptProposedAction();
}

void TCodeEditView::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls() && !event->mimeData()->hasFormat(kInternalDragMime)) {
        event->acceptProposedAction();
        return;
    }
    m_dropCoord = PixelsToRowColumn(event->position().toPoint());
    m_dropCaretShown = true;
    const bool internal = event->mimeData()->hasFormat(kInternalDragMime) && event->source() == this;
    if (internal) {
        event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
    viewport()->update();
}

void TCodeEditView::dragLeaveEvent(QDragLeaveEvent *event)
{
    m_dropCaretShown = false;
    viewport()->update();
    QAbstractScrollArea::dragLeaveEvent(event);
}

void TCodeEditView::dropEvent(QDropEvent *event)
{
    m_dropCaretShown = false;
    const QMimeData *mime = event->mimeData();
    const TBufferCoord target = PixelsToRowColumn(event->position().toPoint());
    if (mime->hasFormat(kInternalDragMime) && event->source() == this) {
        const bool copy = event->modifiers() & Qt::ControlModifier;
        m_engine->DropSelection(target, copy);
        // The block moved here itself, so the drag must not delete anything at its source.
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else if (mime->hasUrls()) {
        QStringList files;
        for (const QUrl &url : mime->urls())
            if (url.isLocalFile())
                files << url.toLocalFile();
        if (!files.isEmpty() && OnDropFiles && (m_engine->Options() & eoDropFiles))
            OnDropFiles(this, files);
        event->acceptProposedAction();
    } else if (mime->hasText() && !m_engine->ReadOnly()) {
        TBufferCoord at = target;
        m_engine->CommandProcessor(ecGotoXY, QChar(), &at);
        m_engine->SetSelText(mime->text());
        event->acceptProposedAction();
    }
    viewport()->update();
    setFocus();
}
