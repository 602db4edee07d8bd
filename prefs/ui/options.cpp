// The options dialog: the tree of options on the left, the page editing the chosen value on the
// right, Apply, OK and Cancel. The tree's rules are TOptionTree's; this shows and forwards.
#include "prefs/ui/options.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum TPageIndex { pgString = 0, pgNumber = 1, pgFileName = 2, pgEmpty = 3 };

// The tree shows no lines or buttons: the tabs open and close its parts.
class TOptionsTreeWidget : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;

protected:
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}
};

// The image list: boxes and radio buttons, then the decorations. The boxes are drawn in the
// palette's text colour so that they show on light and dark desktops alike.
QList<QIcon> BuildImages(QWidget *widget)
{
    QList<QIcon> images;
    QStyle *style = widget->style();
    const int size = 16;
    const QColor ink = widget->palette().color(QPalette::Text);
    const QColor base = widget->palette().color(QPalette::Base);
    auto indicator = [&](bool radio, bool on) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(ink, 1.2));
        p.setBrush(base);
        const QRectF box(2.5, 2.5, 11, 11);
        if (radio) {
            p.drawEllipse(box);
            if (on) {
                p.setBrush(ink);
                p.drawEllipse(box.adjusted(3, 3, -3, -3));
            }
        } else {
            p.drawRoundedRect(box, 1.5, 1.5);
            if (on) {
                p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawPolyline(QPolygonF{QPointF(5, 8.5), QPointF(7.2, 11), QPointF(11.5, 5.5)});
            }
        }
        return QIcon(pixmap);
    };
    images << indicator(false, false) << indicator(false, true) << indicator(true, false) << indicator(true, true);
    images << style->standardIcon(QStyle::SP_DirIcon) << style->standardIcon(QStyle::SP_FileDialogContentsView)
           << style->standardIcon(QStyle::SP_ArrowRight);
    QPixmap colors(size, size);
    colors.fill(Qt::transparent);
    {
        QPainter p(&colors);
        p.fillRect(1, 1, 7, 7, QColor(0x00, 0x00, 0x80));
        p.fillRect(8, 1, 7, 7, QColor(0xFF, 0x80, 0x00));
        p.fillRect(1, 8, 7, 7, QColor(0x00, 0x80, 0x00));
        p.fillRect(8, 8, 7, 7, QColor(0xFF, 0x00, 0x00));
    }
    images << QIcon(colors);
    return images;
}

} // namespace

TfrmOptions::TfrmOptions(const TOptionValues &current, QWidget *parent) : QDialog(parent), m_values(current)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("TagForge Options"));

    m_tabCtl = new QTabBar(this);
    m_tabCtl->setObjectName(QStringLiteral("tabCtl"));
    for (const char *tab : {"General", "Editor", "Browser", "All"})
        m_tabCtl->addTab(QLatin1String(tab));

    auto *lblOptions = new QLabel(QStringLiteral("&Options:"), this);
    m_trvGeneral = new TOptionsTreeWidget(this);
    m_trvGeneral->setObjectName(QStringLiteral("trvGeneral"));
    m_trvGeneral->setHeaderHidden(true);
    m_trvGeneral->setRootIsDecorated(false);
    m_trvGeneral->setItemsExpandable(false);
    m_trvGeneral->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_trvGeneral->setMinimumSize(380, 420);
    m_trvGeneral->setIndentation(18);
    m_trvGeneral->installEventFilter(this);
    lblOptions->setBuddy(m_trvGeneral);

    auto *lblEdit = new QLabel(QStringLiteral("&Edit:"), this);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setMinimumWidth(240);

    auto page = [this](const char *name) {
        auto *w = new QWidget(m_pages);
        w->setObjectName(QLatin1String(name));
        auto *layout = new QVBoxLayout(w);
        layout->setContentsMargins(0, 0, 0, 0);
        m_pages->addWidget(w);
        return layout;
    };
    QVBoxLayout *stringPage = page("String");
    m_edtString = new QLineEdit(this);
    m_edtString->setObjectName(QStringLiteral("edtString"));
    stringPage->addWidget(m_edtString);
    stringPage->addStretch();

    QVBoxLayout *numberPage = page("Number");
    m_spnNumber = new QSpinBox(this);
    m_spnNumber->setObjectName(QStringLiteral("spnNumber"));
    m_lblRange = new QLabel(this);
    m_lblRange->setObjectName(QStringLiteral("lblRange"));
    numberPage->addWidget(m_spnNumber);
    numberPage->addWidget(m_lblRange);
    numberPage->addStretch();

    QVBoxLayout *filePage = page("FileName");
    auto *fileRow = new QHBoxLayout;
    m_BrowserPathEdit = new QLineEdit(this);
    m_BrowserPathEdit->setObjectName(QStringLiteral("BrowserPathEdit"));
    m_btnBrowse = new QToolButton(this);
    m_btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    m_btnBrowse->setText(QStringLiteral("..."));
    fileRow->addWidget(m_BrowserPathEdit);
    fileRow->addWidget(m_btnBrowse);
    filePage->addLayout(fileRow);
    filePage->addStretch();

    page("Empty")->addStretch();
    m_pages->setCurrentIndex(pgEmpty);
    lblEdit->setBuddy(m_pages);

    m_btnApply = new QPushButton(QStringLiteral("&Apply"), this);
    m_btnApply->setObjectName(QStringLiteral("btnApply"));
    m_btnOK = new QPushButton(QStringLiteral("&OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *grid = new QGridLayout;
    grid->addWidget(lblOptions, 0, 0);
    grid->addWidget(lblEdit, 0, 1);
    grid->addWidget(m_trvGeneral, 1, 0);
    grid->addWidget(m_pages, 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnApply);
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabCtl);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    BuildTree();
    m_tree.Load(m_values);
    RefreshTexts();
    RefreshIcons();

    connect(m_tabCtl, &QTabBar::currentChanged, this, &TfrmOptions::tabCtlChange);
    connect(m_trvGeneral, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item && !m_filling)
            ShowPageFor(item->data(0, Qt::UserRole).toInt());
    });
    connect(m_trvGeneral, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { NodeClicked(item->data(0, Qt::UserRole).toInt()); });
    auto edited = [this](const QString &text) {
        if (m_filling || !m_tree.SetValue(m_current, text))
            return;
        m_items.at(m_current)->setText(0, text);
    };
    connect(m_edtString, &QLineEdit::textChanged, this, edited);
    connect(m_BrowserPathEdit, &QLineEdit::textChanged, this, edited);
    connect(m_spnNumber, &QSpinBox::valueChanged, this, [edited](int value) { edited(QString::number(value)); });
    connect(m_btnBrowse, &QToolButton::clicked, this, &TfrmOptions::BrowseClick);
    connect(m_btnApply, &QPushButton::clicked, this, &TfrmOptions::btnApplyClick);
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmOptions::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    ChooseFile = [this](const QString &filter, const QString &start) {
        QString selected = filter;
        return QFileDialog::getOpenFileName(this, QStringLiteral("Choose File"), start,
                                            TOptionTree::FileFilters().join(QStringLiteral(";;")), &selected);
    };
    tabCtlChange(0);
}

void TfrmOptions::BuildTree()
{
    m_images = BuildImages(this);
    for (int i = 0; i < m_tree.Count(); ++i) {
        const int parent = m_tree.Node(i).Parent;
        auto *item = parent < 0 ? new QTreeWidgetItem(m_trvGeneral) : new QTreeWidgetItem(m_items.at(parent));
        item->setData(0, Qt::UserRole, i);
        m_items << item;
    }
}

void TfrmOptions::RefreshIcons()
{
    for (int i = 0; i < m_tree.Count(); ++i)
        m_items.at(i)->setIcon(0, m_images.value(m_tree.Icon(i)));
}

void TfrmOptions::RefreshTexts()
{
    for (int i = 0; i < m_tree.Count(); ++i)
        m_items.at(i)->setText(0, m_tree.Text(i));
}

QTreeWidgetItem *TfrmOptions::Item(int index) const
{
    return m_items.value(index);
}

void TfrmOptions::SetTab(int tab)
{
    if (tab == m_tabCtl->currentIndex())
        tabCtlChange(tab);
    else
        m_tabCtl->setCurrentIndex(tab);
}

int TfrmOptions::Tab() const
{
    return m_tabCtl->currentIndex();
}

void TfrmOptions::tabCtlChange(int tab)
{
    m_filling = true;
    // The value being edited may be out of sight now.
    m_current = -1;
    m_pages->setCurrentIndex(pgEmpty);
    m_trvGeneral->setCurrentItem(nullptr);
    for (int top : {int(TOptionTree::General), int(TOptionTree::Editor), int(TOptionTree::BrowserSettings)})
        m_items.at(top)->setExpanded(false);
    if (tab == tabAll)
        m_trvGeneral->expandAll();
    else
        for (int node : TOptionTree::ExpandedBy(tab)) {
            m_items.at(node)->setExpanded(true);
            // The groups inside a tab's node open with it, so every option of the tab shows.
            for (int i = node + 1; i < m_tree.Count() && m_tree.Node(i).Parent != -1; ++i)
                m_items.at(i)->setExpanded(true);
        }
    m_filling = false;
}

void TfrmOptions::ShowPageFor(int index)
{
    const TOptionPage page = m_tree.PageFor(index);
    if (page == TOptionPage::None)
        return;
    m_current = index;
    m_filling = true;
    switch (page) {
    case TOptionPage::String:
        m_edtString->setText(m_tree.Text(index));
        m_pages->setCurrentIndex(pgString);
        break;
    case TOptionPage::Number: {
        const Preferences::TRange range = m_tree.RangeOf(index);
        m_spnNumber->setRange(range.Min, range.Max);
        m_spnNumber->setValue(m_tree.Text(index).toInt());
        m_lblRange->setText(QStringLiteral("From %1 to %2").arg(range.Min).arg(range.Max));
        m_pages->setCurrentIndex(pgNumber);
        break;
    }
    case TOptionPage::FileName:
        m_filter = TOptionTree::FilterFor(index);
        m_BrowserPathEdit->setText(m_tree.Text(index));
        m_pages->setCurrentIndex(pgFileName);
        break;
    case TOptionPage::None:
        break;
    }
    m_filling = false;
}

void TfrmOptions::NodeClicked(int index)
{
    if (index < 0 || index >= m_tree.Count())
        return;
    if (m_tree.PageFor(index) != TOptionPage::None) {
        ShowPageFor(index);
        return;
    }
    if (m_tree.Node(index).Kind == TOptionKind::Colors) {
        if (OnColors)
            OnColors();
        return;
    }
    if (m_tree.Activate(index))
        RefreshIcons();
}

bool TfrmOptions::eventFilter(QObject *watched, QEvent *event)
{
    // Space on a node does what a click does; moving with the arrow keys only selects.
    if (watched == m_trvGeneral && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        if (QTreeWidgetItem *item = m_trvGeneral->currentItem())
            NodeClicked(item->data(0, Qt::UserRole).toInt());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmOptions::BrowseClick()
{
    if (m_tree.PageFor(m_current) != TOptionPage::FileName || !ChooseFile)
        return;
    const QString file = ChooseFile(m_filter, m_BrowserPathEdit->text());
    if (!file.isEmpty())
        m_BrowserPathEdit->setText(file);
}

void TfrmOptions::btnApplyClick()
{
    QStringList messages;
    // A number still being typed that the box cannot take (0 for a tab width) would otherwise be
    // dropped without a word.
    if (m_pages->currentIndex() == pgNumber && m_current >= 0 && !m_spnNumber->hasAcceptableInput()) {
        const Preferences::TRange range = m_tree.RangeOf(m_current);
        messages << QStringLiteral("%1: \"%2\" is outside %3 to %4; %5 is kept.")
                        .arg(m_tree.Text(m_tree.Node(m_current).Parent), m_spnNumber->text())
                        .arg(range.Min)
                        .arg(range.Max)
                        .arg(m_tree.Text(m_current));
    }
    m_values = m_tree.Apply(m_values, &messages);
    // Clamped numbers show as they were stored.
    m_tree.Load(m_values);
    RefreshTexts();
    if (m_current >= 0)
        ShowPageFor(m_current);
    if (!messages.isEmpty() && ShowMessage)
        ShowMessage(messages.join(QLatin1Char('\n')));
    if (OnApply)
        OnApply(m_values);
}

void TfrmOptions::btnOKClick()
{
    btnApplyClick();
    m_okPressed = true;
    accept();
}
