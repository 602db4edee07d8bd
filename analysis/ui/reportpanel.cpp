// The report page: the rows of the last syntax or link check, and the jump to a row's line.
#include "analysis/ui/reportpanel.h"

#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QTreeView>

#include "analysis/ui/reportrowmodel.h"
#include <QVBoxLayout>

QIcon ReportRowIcon(int image)
{
    switch (image) {
    case riInfo: return QIcon::fromTheme(QStringLiteral("dialog-information"));
    case riError: return QIcon::fromTheme(QStringLiteral("dialog-error"));
    case riLinkOk: return QIcon::fromTheme(QStringLiteral("dialog-ok-apply"));
    case riNotLocal: return QIcon::fromTheme(QStringLiteral("internet-web-browser"));
    default: return {};
    }
}

TReportPanel::TReportPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlReport"));
    auto *header = new QWidget(this);
    header->setFixedHeight(34);
    // Three labels at small offsets make one shadowed title.
    static const char *styles[3] = {
        "color: navy; font-size: 8pt;",
        "color: #c00000; font-weight: bold; font-family: Arial, sans-serif; font-size: 20px;",
        "color: black; font-weight: bold; font-family: Arial, sans-serif; font-size: 20px;"};
    static const QPoint offsets[3] = {QPoint(8, 2), QPoint(7, 5), QPoint(6, 4)};
    // The red copy sits one pixel off the black one, so the two read as one title with a shadow.
    for (int i = 0; i < 3; ++i) {
        m_title[i] = new QLabel(QString::fromLatin1(SyntaxReportTitle.toLatin1()), header);
        m_title[i]->setObjectName(QStringLiteral("lblReport%1").arg(i + 1));
        m_title[i]->setStyleSheet(QLatin1String(styles[i]));
        m_title[i]->move(offsets[i]);
        m_title[i]->setVisible(i > 0);
        m_title[i]->adjustSize();
    }
    m_model = new TReportRowModel(this);
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("elvReport"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    static const int widths[] = {150, 100, 150, 70, 70};
    for (int i = 0; i < 5; ++i)
        m_list->setColumnWidth(i, widths[i]);
    ShowRows(SyntaxReportTitle.toString(), {}, false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_list, 1);

    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!index.isValid() || index.row() >= m_model->Rows().size())
            return;
        // Rows without a line number (titles, blanks, summaries) lead nowhere.
        const TReportRow &row = m_model->Rows().at(index.row());
        if (const std::optional<int> line = ReportRowLine(row, m_reportStyle)) {
            if (row.File.isEmpty())
                Q_EMIT LineChosen(*line);
            else
                Q_EMIT FileLineChosen(row.File, *line);
        }
    });
}

const QList<TReportRow> &TReportPanel::Rows() const
{
    return m_model->Rows();
}

QString TReportPanel::Title() const
{
    return m_title[2]->text();
}

void TReportPanel::ShowRows(const QString &title, const QList<TReportRow> &rows, bool reportStyle)
{
    for (QLabel *label : m_title) {
        label->setText(title);
        label->adjustSize();
    }
    m_reportStyle = reportStyle;
    m_model->SetRows(rows);
    m_list->setHeaderHidden(!reportStyle);
    for (int c = 1; c < 6; ++c)
        m_list->setColumnHidden(c, !reportStyle);
}
