// lbTagInsight: the owner-drawn list floating over the editor that offers tag names or parameters.
#include "aids/ui/taginsightlist.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int kImageSize = 11;

// The image of a list mode: a blue tag sign for names, a green "=" for parameters.
QPixmap MakeImage(bool names)
{
    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(names ? QColor(0x2a, 0x5d, 0xb0) : QColor(0x2e, 0x8b, 0x57));
    p.drawRoundedRect(QRectF(0, 0, kImageSize, kImageSize), 2, 2);
    QPen pen(Qt::white, 1.3);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (names) {
        p.drawPolyline(QPolygonF({QPointF(4.5, 2.5), QPointF(2, 5.5), QPointF(4.5, 8.5)}));
        p.drawPolyline(QPolygonF({QPointF(6.5, 2.5), QPointF(9, 5.5), QPointF(6.5, 8.5)}));
    } else {
        p.drawLine(QPointF(2.5, 4), QPointF(8.5, 4));
        p.drawLine(QPointF(2.5, 7), QPointF(8.5, 7));
    }
    return pixmap;
}

// Fills the item, draws the mode's image 4 pixels from the left and the entry in lower case after it.
class TTagInsightDelegate : public QStyledItemDelegate
{
public:
    explicit TTagInsightDelegate(TTagInsightList *list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &pal = option.palette;
        p->fillRect(option.rect, selected ? pal.highlight() : pal.base());
        const QPixmap image = m_list->Image(m_list->Tag());
        const int imageTop = option.rect.top() + (option.rect.height() - image.height()) / 2;
        p->drawPixmap(option.rect.left() + 4, imageTop, image);
        p->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
        p->setFont(option.font);
        const QRect textRect = option.rect.adjusted(image.width() + 6, 0, 0, 0);
        p->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, index.data().toString().toLower());
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(0, TTagInsightList::kItemHeight);
    }

private:
    TTagInsightList *m_list;
};

} // namespace

TTagInsightList::TTagInsightList(QWidget *parent)
    : QListWidget(parent), m_nameImage(MakeImage(true)), m_parameterImage(MakeImage(false))
{
    setObjectName(QStringLiteral("lbTagInsight"));
    setItemDelegate(new TTagInsightDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Rows are 13 pixels high, so the font is sized to them rather than to the desktop.
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] {
        if (OnInsert)
            OnInsert();
    });
    hide();
}

void TTagInsightList::SetTag(int value)
{
    if (m_tag == value)
        return;
    m_tag = value;
    viewport()->update();
}

QPixmap TTagInsightList::Image(int index) const
{
    return index == 3 ? m_nameImage : m_parameterImage;
}

void TTagInsightList::SetEntries(const QStringList &entries)
{
    clear();
    addItems(entries);
}

int TTagInsightList::LongestEntryWidth() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(item(i)->text().toLower()));
    return widest;
}

QSize TTagInsightList::SizeFor(int textWidth) const
{
    const int frame = 2 * frameWidth();
    const int rows = qMin(count(), kVisibleItems);
    int width = textWidth + frame;
    if (count() > kVisibleItems)
        width += verticalScrollBar()->sizeHint().width();
    return QSize(width, rows * kItemHeight + frame);
}

void TTagInsightList::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (OnInsert)
            OnInsert();
        return;
    }
    if (key == Qt::Key_Escape || key == Qt::Key_Left) {
        if (OnClose)
            OnClose();
        return;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
        const QChar letter(char16_t(mods == Qt::ShiftModifier ? key : key - Qt::Key_A + 'a'));
        if (OnLetter)
            OnLetter(letter);
        return;
    }
    QListWidget::keyPressEvent(event);
}
