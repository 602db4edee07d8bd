// The side bar's character page.
#include "doctools/ui/characterpage.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

TCharacterPage::TCharacterPage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("edtCharFilter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter by name"));
    m_filter->setClearButtonEnabled(true);
    layout->addWidget(m_filter);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("elvChars"));
    m_list->setHeaderLabels({QStringLiteral("Character"), QStringLiteral("HTML"), QStringLiteral("Name")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    layout->addWidget(m_list, 1);

    auto *preview = new QWidget(this);
    preview->setObjectName(QStringLiteral("pnlCarPrev"));
    auto *previewLayout = new QHBoxLayout(preview);
    m_char = new QLabel(preview);
    m_char->setObjectName(QStringLiteral("lblCharPrev"));
    QFont big = m_char->font();
    big.setPixelSize(27);
    big.setBold(true);
    m_char->setFont(big);
    m_char->setMinimumWidth(40);
    m_char->setAlignment(Qt::AlignCenter);
    auto *texts = new QVBoxLayout;
    m_html = new QLabel(preview);
    m_html->setObjectName(QStringLiteral("lblCharHTML"));
    m_html->setTextFormat(Qt::PlainText);
    m_html->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_name = new QLabel(preview);
    m_name->setObjectName(QStringLiteral("lblCharName"));
    m_name->setTextFormat(Qt::PlainText);
    m_name->setWordWrap(true);
    texts->addWidget(m_html);
    texts->addWidget(m_name);
    previewLayout->addWidget(m_char);
    previewLayout->addLayout(texts, 1);
    layout->addWidget(preview);

    connect(m_list, &QTreeWidget::currentItemChanged, this, &TCharacterPage::ShowPreview);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (item && !item->text(1).isEmpty())
            Q_EMIT insertRequested(item->text(1));
    });
    connect(m_filter, &QLineEdit::textChanged, this, &TCharacterPage::ApplyFilter);
}

void TCharacterPage::SetRows(const QList<TCharacterRow> &rows)
{
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const TCharacterRow &r : rows)
        items << new QTreeWidgetItem(QStringList{r.Character, r.Entity, r.Name});
    m_list->addTopLevelItems(items);
    ApplyFilter(m_filter->text());
}

void TCharacterPage::ShowPreview()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    m_char->setText(item->text(0));
    m_html->setText(item->text(1));
    m_name->setText(item->text(2));
}

void TCharacterPage::ApplyFilter(const QString &text)
{
    const QString wanted = text.trimmed();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_list->topLevelItem(i);
        const bool shown = wanted.isEmpty() || item->text(2).contains(wanted, Qt::CaseInsensitive)
                           || item->text(1).contains(wanted, Qt::CaseInsensitive) || item->text(0) == wanted;
        item->setHidden(!shown);
    }
}
