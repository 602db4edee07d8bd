// The painting view of an editing engine: text grid, gutter, caret, mouse, keys and scrolling.
#pragma once

#include "editor/core/codeedit.h"
#include "editor/core/editgutter.h"
#include "editor/core/wheelscroll.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>

class TViewTokenSource;
class QPrinter;

enum TCaretType { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };

class TCodeEditView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TCodeEditView(TCodeEdit *engine, QWidget *parent = nullptr);
    ~TCodeEditView() override;

    TCodeEdit *Engine() const { return m_engine; }
    TEditGutter &Gutter() { return m_gutter; }
    void SetTokenSource(TViewTokenSource *source);
    TViewTokenSource *TokenSource() const { return m_tokens; }

    // The text font; columns are one character of it wide.
    void SetEditorFont(const QFont &font);
    // "Courier New" where installed, otherwise the system's fixed-pitch font, at pointSize.
    static QFont DefaultFont(int pointSize = 10);

    QColor Color() const { return m_background; }
    void SetColor(const QColor &color);
    int ExtraLineSpacing() const { return m_extraLineSpacing; }
    void SetExtraLineSpacing(int value);
    int RightEdge() const { return m_rightEdge; }
    void SetRightEdge(int value);
    QColor RightEdgeColor() const { return m_rightEdgeColor; }
    void SetRightEdgeColor(const QColor &color);
    QColor SelectedBackground() const { return m_selectedBackground; }
    QColor SelectedForeground() const { return m_selectedForeground; }
    void SetSelectedColor(const QColor &background, const QColor &foreground);
    TCaretType InsertCaret() const { return m_insertCaret; }
    void SetInsertCaret(TCaretType type);
    TCaretType OverwriteCaret() const { return m_overwriteCaret; }
    void SetOverwriteCaret(TCaretType type);

    int CharWidth() const { return m_charWidth; }
    int LineHeight() const { return m_lineHeight; }
    int GutterWidth() const;
    // 1-based buffer position under a viewport pixel, and the pixel of a position.
    TBufferCoord PixelsToRowColumn(const QPoint &pixel) const;
    QPoint RowColumnToPixels(TBufferCoord pos) const;

    // Prints the text with header and footer lines ($PAGENUM$, $TITLE$, $DATE$, $TIME$, ...).
    void Print(QPrinter *printer, const QString &title, const QString &header, const QString &footer);

    // Hooks, as the rest of the program sets them.
    std::function<void(TCodeEditView *sender, int line, bool &special, QColor &fg, QColor &bg)> OnSpecialLineColors;
    std::function<void(TCodeEditView *sender, int x, int y, int line, TMark *mark)> OnGutterClick;
    std::function<void(TCodeEditView *sender, const QStringList &files)> OnDropFiles;
    // True for a key the host window claims (a menu shortcut or mnemonic): such keys reach the
    // window's shortcut map instead of the keystroke table, as in any desktop program.
    std::function<bool(QKeyCombination key)> IsClaimedShortcut;

Q_SIGNALS:
    void focusLost();
    void focusGained();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void ReadPaletteColors();
    void UpdateMetrics();
    void UpdateScrollBars();
    void OnLinesInvalidated(int firstLine, int lastLine);
    void OnStatusChanged(TStatusChanges changes);
    void PaintGutter(QPainter &p, int firstLine, int lastLine);
    void PaintLine(QPainter &p, int line, int y, const QRect &clip);
    QRect CaretRect() const;
    void RestartCaretBlink();
    // Selected painted columns [from, to) on a line; false when nothing is selected there.
    bool SelectionOnLine(int line, QStringView text, int &from, int &to) const;
    bool IsKeyBound(QKeyEvent *event) const;
    void AutoScroll();

    TCodeEdit *m_engine;
    TEditGutter m_gutter;
    TViewTokenSource *m_tokens = nullptr;
    TWheelAccumulator m_wheel;

    QColor m_background;
    QColor m_foreground;
    QColor m_gutterColor;
    QColor m_rightEdgeColor;
    QColor m_selectedBackground;
    QColor m_selectedForeground;
    int m_extraLineSpacing = 0;
    int m_rightEdge = 80;
    TCaretType m_insertCaret = ctVerticalLine;
    TCaretType m_overwriteCaret = ctBlock;

    int m_charWidth = 8;
    int m_lineHeight = 16;
    int m_ascent = 12;
    int m_maxDisplayWidth = 0;
    // The text font in its eight style variants, spaced to the character grid.
    std::array<QFont, 8> m_gridFonts;

    QTimer m_caretTimer;
    QTimer m_scrollTimer;
    bool m_caretOn = true;
    bool m_hasFocus = false;
    bool m_mouseSelecting = false;
    bool m_dragArmed = false;
    QPoint m_pressPos;
    TBufferCoord m_pressCoord;
    bool m_dropCaretShown = false;
    TBufferCoord m_dropCoord;
    bool m_updatingScrollBars = false;
};
