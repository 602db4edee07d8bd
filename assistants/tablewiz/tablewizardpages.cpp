// The Table Assistant's three pages and their fields.
#include "assistants/tablewiz/tablewizard.h"

#include "assistants/tablewiz/tablewizgrid.h"
#include "assistants/ui/colorbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The largest number the spin boxes hold: the reader keeps larger values as written.
constexpr int kMaxSpin = 9999;

QLabel *Heading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    label->setFont(font);
    return label;
}

QToolButton *Arrow(const char *name, Qt::ArrowType arrow, const QString &hint)
{
    auto *button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setToolTip(hint);
    button->setAutoRepeat(true);
    button->setMinimumSize(28, 28);
    return button;
}

QSpinBox *Spin(const char *name, int min, int max, int value)
{
    auto *spin = new QSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setRange(min, max);
    spin->setValue(value);
    return spin;
}

QComboBox *EditableCombo(const char *name, const QStringList &items)
{
    auto *box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

QLineEdit *Edit(const char *name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// The grid's place on a page: a sunken panel the grid fills.
QFrame *GridPanel(const char *name, QVBoxLayout *&layout)
{
    auto *panel = new QFrame;
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumSize(300, 220);
    layout = new QVBoxLayout(panel);
    layout->setContentsMargins(1, 1, 1, 1);
    return panel;
}

} // namespace

QWidget *TfrmTableWiz::BuildSizePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Default"));
    auto *layout = new QVBoxLayout(page);
    auto *intro = new QLabel(QStringLiteral("Please enter the number of columns and rows of your table here."));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *row = new QHBoxLayout;
    row->addWidget(GridPanel("pnlGrid1", m_sizePanel), 1);

    auto *counts = new QGridLayout;
    m_rowUp = Arrow("btnRowUp", Qt::UpArrow, QStringLiteral("One row fewer"));
    m_rowDown = Arrow("btnRowDown", Qt::DownArrow, QStringLiteral("One row more"));
    m_colsLeft = Arrow("btnColsLeft", Qt::LeftArrow, QStringLiteral("One column fewer"));
    m_colsRight = Arrow("btnColsRight", Qt::RightArrow, QStringLiteral("One column more"));
    m_rows = new QLabel;
    m_rows->setObjectName(QStringLiteral("lblRows"));
    m_cols = new QLabel;
    m_cols->setObjectName(QStringLiteral("lblCols"));
    for (QLabel *count : {m_rows, m_cols}) {
        count->setAlignment(Qt::AlignCenter);
        count->setMinimumWidth(90);
    }
    counts->addWidget(m_rowUp, 0, 1, Qt::AlignHCenter);
    counts->addWidget(m_rows, 1, 1);
    counts->addWidget(m_rowDown, 2, 1, Qt::AlignHCenter);
    counts->addWidget(m_colsLeft, 4, 0);
    counts->addWidget(m_cols, 4, 1);
    counts->addWidget(m_colsRight, 4, 2);
    counts->setRowMinimumHeight(3, 16);
    counts->setRowStretch(5, 1);
    row->addLayout(counts);
    layout->addLayout(row, 1);

    connect(m_rowUp, &QToolButton::clicked, this, &TfrmTableWiz::btnRowUpClick);
    connect(m_rowDown, &QToolButton::clicked, this, &TfrmTableWiz::btnRowDownClick);
    connect(m_colsLeft, &QToolButton::clicked, this, &TfrmTableWiz::btnColsLeftClick);
    connect(m_colsRight, &QToolButton::clicked, this, &TfrmTableWiz::btnColsRightClick);
    return page;
}

QWidget *TfrmTableWiz::BuildPropertiesPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Properties"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(Heading(QStringLiteral("Adjust your table's properties here!")));

    auto *form = new QGridLayout;
    form->setColumnStretch(1, 1);
    form->setColumnStretch(4, 1);
    form->setColumnMinimumWidth(2, 16);
    int line = 0;
    const auto put = [&](int column, const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption);
        label->setBuddy(field);
        form->addWidget(label, line, column);
        form->addWidget(field, line, column + 1);
    };

    m_caption = Edit("edtCap");
    m_captionAlign = EditableCombo("cbxCapAlign", {QString(), QStringLiteral("Top"), QStringLiteral("Bottom")});
    put(0, QStringLiteral("Table Caption"), m_caption);
    put(3, QStringLiteral("Caption Alignment"), m_captionAlign);
    ++line;

    m_tableAlign =
        EditableCombo("cbxTaleAlign", {QString(), QStringLiteral("AbsBottom"), QStringLiteral("AbsMiddle"),
                                       QStringLiteral("Baseline"), QStringLiteral("Bleedleft"),
                                       QStringLiteral("Bleedright"), QStringLiteral("Bottom"), QStringLiteral("Center"),
                                       QStringLiteral("Right"), QStringLiteral("Text"), QStringLiteral("Top")});
    m_width = Edit("edttblWidth");
    m_width->setMaxLength(TableWiz::kMaxWidthLength);
    put(0, QStringLiteral("Table Alignment"), m_tableAlign);
    put(3, QStringLiteral("Table width (Pixel or %)"), m_width);
    ++line;

    m_border = new QCheckBox(QStringLiteral("Border"));
    m_border->setObjectName(QStringLiteral("chkBorder"));
    m_borderWidth = Spin("spnWidth", 0, kMaxSpin, 1);
    form->addWidget(m_border, line, 0);
    form->addWidget(m_borderWidth, line, 1);
    m_padding = Spin("SpinEdit1", 0, kMaxSpin, 0);
    put(3, QStringLiteral("Cell Padding"), m_padding);
    ++line;

    m_spacing = Spin("SpinEdit2", 0, kMaxSpin, 0);
    put(3, QStringLiteral("Cell Spacing"), m_spacing);
    ++line;

    auto *colors = new QGroupBox(QStringLiteral("Cell Colors"));
    auto *colorRow = new QHBoxLayout(colors);
    m_colors = new TColorBox;
    m_colors->setObjectName(QStringLiteral("cbxColors"));
    auto *custom = new QPushButton(QStringLiteral("&Custom"));
    custom->setObjectName(QStringLiteral("btnColorCh"));
    m_colorPanel = new QFrame;
    m_colorPanel->setObjectName(QStringLiteral("pnlColor"));
    m_colorPanel->setFrameShape(QFrame::Box);
    m_colorPanel->setMinimumSize(48, 24);
    m_colorPanel->setAutoFillBackground(true);
    colorRow->addWidget(m_colors, 1);
    colorRow->addWidget(custom);
    colorRow->addWidget(m_colorPanel);
    form->addWidget(colors, line, 0, 1, 5);
    ++line;

    m_background = Edit("edtBGImg");
    auto *browse = new QToolButton;
    browse->setObjectName(QStringLiteral("btnBGImg"));
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Choose the background image"));
    auto *backgroundRow = new QHBoxLayout;
    backgroundRow->addWidget(m_background, 1);
    backgroundRow->addWidget(browse);
    auto *backgroundLabel = new QLabel(QStringLiteral("Background Image"));
    backgroundLabel->setBuddy(m_background);
    form->addWidget(backgroundLabel, line, 0);
    form->addLayout(backgroundRow, line, 1, 1, 4);
    ++line;

    m_tableAttributes = Edit("edtTblAttribs");
    m_tableAttributes->setToolTip(QStringLiteral("Attributes of the table that have no field here, as written"));
    auto *attributesLabel = new QLabel(QStringLiteral("Other Attributes"));
    attributesLabel->setBuddy(m_tableAttributes);
    form->addWidget(attributesLabel, line, 0);
    form->addWidget(m_tableAttributes, line, 1, 1, 4);
    ++line;

    form->setRowStretch(line, 1);
    layout->addLayout(form, 1);

    connect(m_caption, &QLineEdit::textChanged, this, &TfrmTableWiz::UpdateEnabling);
    connect(m_border, &QCheckBox::toggled, this, &TfrmTableWiz::UpdateEnabling);
    connect(m_colors, &TColorBox::colorChanged, this, [this](std::uint32_t rgb) {
        if (!m_filling)
            SetColor(rgb);
    });
    connect(custom, &QPushButton::clicked, this, &TfrmTableWiz::ChooseCustomColor);
    connect(browse, &QToolButton::clicked, this, &TfrmTableWiz::BrowseBackground);
    return page;
}

QWidget *TfrmTableWiz::BuildCellsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Cells"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(Heading(QStringLiteral("Adjust every Cell to your needs here!")));

    auto *row = new QHBoxLayout;
    row->addWidget(GridPanel("pnlGrid3", m_cellsPanel), 1);

    auto *fields = new QFormLayout;
    fields->setRowWrapPolicy(QFormLayout::WrapAllRows);
    m_cellType = EditableCombo("cbxCellType", {QStringLiteral("td"), QStringLiteral("th"), QString()});
    m_cellText = new QPlainTextEdit;
    m_cellText->setObjectName(QStringLiteral("edtCellText"));
    m_cellText->setTabChangesFocus(true);
    m_cellText->setMaximumHeight(72);
    m_colSpan = Spin("spnCellWidth", 1, 1, 1);
    m_rowSpan = Spin("spnCellHeight", 1, 1, 1);
    m_cellWidth = Edit("edtCellWidth");
    m_cellWidth->setToolTip(QStringLiteral("The cell's width in pixels or %; empty for none"));
    m_cellAttributes = Edit("edtCellAttribs");
    m_cellAttributes->setToolTip(QStringLiteral("Attributes of the cell that have no field here, as written"));
    fields->addRow(QStringLiteral("Cell Type"), m_cellType);
    fields->addRow(QStringLiteral("Cell Text"), m_cellText);
    auto *spans = new QGridLayout;
    auto *colLabel = new QLabel(QStringLiteral("Column Span:"));
    colLabel->setBuddy(m_colSpan);
    auto *rowLabel = new QLabel(QStringLiteral("Row Span:"));
    rowLabel->setBuddy(m_rowSpan);
    spans->addWidget(colLabel, 0, 0);
    spans->addWidget(m_colSpan, 0, 1);
    spans->addWidget(rowLabel, 1, 0);
    spans->addWidget(m_rowSpan, 1, 1);
    spans->setColumnStretch(1, 1);
    fields->addRow(spans);
    fields->addRow(QStringLiteral("Cell Width"), m_cellWidth);
    fields->addRow(QStringLiteral("Other Attributes"), m_cellAttributes);
    auto *side = new QWidget;
    side->setLayout(fields);
    side->setFixedWidth(240);
    row->addWidget(side, 0, Qt::AlignTop);
    layout->addLayout(row, 1);

    const auto selected = [this]() -> TableWiz::TCellAttributes * {
        if (m_filling || !m_grid.Contains(m_selected) || m_grid.Cell(m_selected).Covered())
            return nullptr;
        return &m_grid.Cell(m_selected);
    };
    connect(m_cellText, &QPlainTextEdit::textChanged, this, [this, selected] {
        if (auto *cell = selected()) {
            cell->Text = m_cellText->toPlainText();
            m_gridView->CellChanged(m_selected);
        }
    });
    connect(m_cellType, &QComboBox::editTextChanged, this, [this, selected](const QString &text) {
        if (auto *cell = selected()) {
            cell->CellType = text;
            m_gridView->CellChanged(m_selected);
        }
    });
    connect(m_cellWidth, &QLineEdit::textEdited, this, [selected](const QString &text) {
        if (auto *cell = selected())
            cell->Width = text;
    });
    connect(m_cellAttributes, &QLineEdit::textEdited, this, [selected](const QString &text) {
        if (auto *cell = selected())
            cell->Extra = TableWiz::ParseAttributes(text);
    });
    connect(m_colSpan, &QSpinBox::valueChanged, this, &TfrmTableWiz::OnSpanChanged);
    connect(m_rowSpan, &QSpinBox::valueChanged, this, &TfrmTableWiz::OnSpanChanged);
    return page;
}
