// TMyHintWindow: the tooltip next to the caret showing a tag's parameters, names bold and
// descriptions in navy.
#include "aids/ui/myhintwindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

TMyHintWindow::TMyHintWindow(QWidget *parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("HintWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFont(QToolTip::font());
    // Descriptions are navy, so the window keeps a light info background even on dark desktops.
    QPalette pal = QToolTip::palette();
    if (pal.color(QPalette::ToolTipBase).lightness() < 128) {
        pal.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xe1));
        pal.setColor(QPalette::ToolTipText, Qt::black);
    }
    setPalette(pal);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    hide();
}

QFont TMyHintWindow::NameFont() const
{
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

TagHintLayout::TLayout TMyHintWindow::CalcHintRect(const QStringList &lines) const
{
    const QFontMetrics normal(font());
    const QFontMetrics bold(NameFont());
    auto measure = [&](const QString &text, bool isBold) { return (isBold ? bold : normal).horizontalAdvance(text); };
    return TagHintLayout::Layout(lines, measure, qMax(normal.height(), bold.height()));
}

void TMyHintWindow::ActivateHint(const QPoint &topLeft, const QStringList &lines)
{
    m_lines = lines;
    m_layout = CalcHintRect(lines);
    QRect rect(topLeft, QSize(m_layout.Width, m_layout.Height));
    if (QScreen *screen = QGuiApplication::screenAt(topLeft)) {
        const QRect avail = screen->availableGeometry();
        if (rect.right() > avail.right())
            rect.moveRight(avail.right());
        if (rect.bottom() > avail.bottom())
            rect.moveBottom(avail.bottom());
        rect.moveLeft(qMax(rect.left(), avail.left()));
        rect.moveTop(qMax(rect.top(), avail.top()));
    }
    setGeometry(rect);
    show();
    raise();
    update();
}

void TMyHintWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    p.setPen(palette().color(QPalette::ToolTipText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QFont normalFont = font();
    const QFont boldFont = NameFont();
    const QFontMetrics normal(normalFont);
    const QFontMetrics bold(boldFont);
    const int lineHeight = qMax(normal.height(), bold.height());
    const int ascent = qMax(normal.ascent(), bold.ascent());
    int y = TagHintLayout::kPadding;
    for (const TagHintLayout::THintLine &line : std::as_const(m_layout.Lines)) {
        int x = TagHintLayout::kPadding;
        for (const TagHintLayout::THintWord &word : line) {
            p.setFont(word.Name ? boldFont : normalFont);
            p.setPen(word.Name ? palette().color(QPalette::ToolTipText) : DescriptionColor());
            p.drawText(x, y + ascent, word.Text);
            x += (word.Name ? bold : normal).horizontalAdvance(word.Text);
        }
        y += lineHeight;
    }
}
