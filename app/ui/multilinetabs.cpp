// The document tabs in several rows: a strip of buttons that wraps, standing in for the tab bar.
#include "app/ui/multilinetabs.h"

#include <QButtonGroup>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

TFlowLayout::~TFlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

QLayoutItem *TFlowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

QSize TFlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem *item : m_items)
        size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void TFlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    Arrange(rect, true);
}

int TFlowLayout::Arrange(const QRect &rect, bool place) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = spacing() < 0 ? 2 : spacing();
    int x = area.x(), y = area.y(), rowHeight = 0;
    for (QLayoutItem *item : m_items) {
        const QSize hint = item->sizeHint();
        if (x > area.x() && x + hint.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight + gap;
            rowHeight = 0;
        }
        if (place)
            item->setGeometry(QRect(QPoint(x, y), hint));
        x += hint.width() + gap;
        rowHeight = qMax(rowHeight, hint.height());
    }
    return y + rowHeight - rect.y() + contentsMargins().bottom();
}

TMultiLineTabs::TMultiLineTabs(QTabWidget *tabs, QWidget *parent)
    : QWidget(parent), m_tabs(tabs), m_flow(new TFlowLayout(this)), m_group(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("pnlMultiLineTabs"));
    m_flow->setContentsMargins(2, 2, 2, 0);
    m_flow->setSpacing(2);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, m_tabs, &QTabWidget::setCurrentIndex);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { Sync(); });
    connect(m_tabs->tabBar(), &QTabBar::tabMoved, this, [this] { Sync(); });
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    hide();
}

void TMultiLineTabs::SetActive(bool active)
{
    m_active = active;
    m_tabs->tabBar()->setVisible(!active);
    setVisible(active);
    m_texts.clear();
    Sync();
}

void TMultiLineTabs::Sync()
{
    if (!m_active)
        return;
    QStringList texts;
    for (int i = 0; i < m_tabs->count(); ++i)
        texts << m_tabs->tabText(i);
    if (texts != m_texts) {
        m_texts = texts;
        for (QAbstractButton *b : m_group->buttons()) {
            m_group->removeButton(b);
            delete b;
        }
        for (int i = 0; i < texts.size(); ++i) {
            auto *b = new QToolButton(this);
            b->setText(texts.at(i));
            b->setToolTip(m_tabs->tabToolTip(i));
            b->setCheckable(true);
            b->setAutoRaise(true);
            b->installEventFilter(this);
            m_group->addButton(b, i);
            m_flow->addWidget(b);
        }
    }
    if (QAbstractButton *current = m_group->button(m_tabs->currentIndex()))
        current->setChecked(true);
    updateGeometry();
}

bool TMultiLineTabs::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton) {
        const int index = m_group->id(static_cast<QAbstractButton *>(watched));
        if (index >= 0)
            Q_EMIT CloseRequested(index);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
