// The document weight dialog: the figures, the dependency list and Refresh.
#include "assistants/ui/documentweight.h"

#include "analysis/ui/reportpanel.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace DocumentWeight;

namespace {

const QString kNotAvailable = QStringLiteral("Not available");

enum { ColFile = 0, ColSize, ColStatus };
constexpr int kBytesRole = Qt::UserRole;

// Sizes sort by their bytes, not by their text ("9.00 KB" before "10.00 KB").
class TDependencyItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : ColFile;
        if (column == ColSize)
            return data(ColSize, kBytesRole).toLongLong() < other.data(ColSize, kBytesRole).toLongLong();
        return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
    }
};

} // namespace

TfrmDocumentWeight::TfrmDocumentWeight(QWidget *owner, const TDocumentWeightInput &input)
    : QDialog(owner), m_input(input)
{
    setObjectName(QStringLiteral("frmDocumentWeight"));
    setWindowTitle(QStringLiteral("Document Weight"));

    auto *layout = new QVBoxLayout(this);
    auto *figures = new QHBoxLayout;
    auto *sizeGroup = new QGroupBox(QStringLiteral("File Size (Weight):"));
    auto *sizes = new QFormLayout(sizeGroup);
    m_docuSize = Figure("lblDocuSize");
    m_depSize = Figure("lblDepSize");
    m_totalSize = Figure("lblTotalSize");
    sizes->addRow(QStringLiteral("Document:"), m_docuSize);
    sizes->addRow(QStringLiteral("Dependencies:"), m_depSize);
    sizes->addRow(QStringLiteral("Total Size:"), m_totalSize);
    figures->addWidget(sizeGroup, 1);

    auto *timeGroup = new QGroupBox(QStringLiteral("Estimated Download time:"));
    auto *times = new QFormLayout(timeGroup);
    const char *timeNames[3] = {"lblTime566", "lblTime336", "lblTime144"};
    for (int i = 0; i < 3; ++i) {
        m_times[i] = Figure(timeNames[i]);
        times->addRow(QLatin1String(kModems[i].Caption), m_times[i]);
    }
    figures->addWidget(timeGroup, 1);
    layout->addLayout(figures);

    auto *note = new QLabel(QStringLiteral("Note: The download time is calculated using very favorable \n"
                                           "          conditions, so the actual download time may vary strongly."));
    note->setObjectName(QStringLiteral("lblNote"));
    layout->addWidget(note);
    m_notice = new QLabel;
    m_notice->setObjectName(QStringLiteral("lblNotice"));
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("QLabel { color: #800000; }"));
    layout->addWidget(m_notice);

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("elvDependencies"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Size"), QStringLiteral("Status")});
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(ColFile, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(ColSize, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(ColStatus, QHeaderView::ResizeToContents);
    // Rows keep the page's order until a column is clicked.
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(false);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        QHeaderView *header = m_list->header();
        const Qt::SortOrder order = header->isSortIndicatorShown() && header->sortIndicatorSection() == column
                                            && header->sortIndicatorOrder() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        header->setSortIndicatorShown(true);
        header->setSortIndicator(column, order);
        m_list->sortItems(column, order);
    });
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox;
    QPushButton *refresh = buttons->addButton(QStringLiteral("&Refresh"), QDialogButtonBox::ActionRole);
    refresh->setObjectName(QStringLiteral("btnRefresh"));
    QPushButton *close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    layout->addWidget(buttons);
    connect(refresh, &QPushButton::clicked, this, &TfrmDocumentWeight::btnRefreshClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    resize(560, 440);
    btnRefreshClick();
    // Focus on Close, so the list opens without a current row drawn.
    close->setFocus();
}

QLabel *TfrmDocumentWeight::Figure(const char *name)
{
    auto *label = new QLabel(kNotAvailable);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void TfrmDocumentWeight::btnRefreshClick()
{
    m_weight = Measure(m_input.Text, m_input.DocumentPath);
    ShowWeight();
}

void TfrmDocumentWeight::ShowWeight()
{
    m_list->clear();
    m_list->header()->setSortIndicatorShown(false);
    QList<QTreeWidgetItem *> items;
    if (m_weight.NoLinks)
        items.append(new TDependencyItem(QStringList{QStringLiteral("No Links found...")}));
    for (const TDependency &d : m_weight.Dependencies) {
        auto *item = new TDependencyItem(QStringList{QDir::toNativeSeparators(d.FileName), d.SizeText, d.StatusText});
        item->setIcon(ColFile, ReportRowIcon(d.Image));
        item->setToolTip(ColFile, item->text(ColFile));
        item->setData(ColSize, kBytesRole, d.Bytes);
        item->setTextAlignment(ColSize, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_list->addTopLevelItems(items);

    // A file that has gone since the last refresh must not keep its old size.
    m_docuSize->setText(m_weight.DocumentBytes ? KiloBytes(*m_weight.DocumentBytes) : kNotAvailable);
    m_depSize->setText(KiloBytes(m_weight.DependencyBytes));
    m_totalSize->setText(KiloBytes(m_weight.TotalBytes()));
    for (int i = 0; i < 3; ++i)
        m_times[i]->setText(DownloadTime(m_weight.TotalBytes(), kModems[i].BytesPerSecond));

    const QString notice = Notice(m_weight, m_input.DocumentPath, m_input.Modified);
    m_notice->setText(notice);
    m_notice->setVisible(!notice.isEmpty());
}
