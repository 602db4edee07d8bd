// The Table Assistant: page changes, the grid's size, cells, merging and the markup.
#include "assistants/tablewiz/tablewizard.h"

#include "assistants/core/tagassistantcode.h"
#include "assistants/tablewiz/tablewizgrid.h"
#include "assistants/ui/colorbox.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace TableWiz;

TfrmTableWiz::TfrmTableWiz(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmTableWiz"));
    setWindowTitle(QStringLiteral("Table Assistant"));
    auto *layout = new QVBoxLayout(this);

    m_pages = new QStackedWidget;
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addWidget(BuildSizePage());
    m_pages->addWidget(BuildPropertiesPage());
    m_pages->addWidget(BuildCellsPage());
    layout->addWidget(m_pages, 1);

    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    auto *buttons = new QHBoxLayout;
    m_prev = new QPushButton(QStringLiteral("< &Previous"));
    m_prev->setObjectName(QStringLiteral("btnPrev"));
    m_next = new QPushButton(QStringLiteral("&Next >"));
    m_next->setObjectName(QStringLiteral("btnNext"));
    m_finish = new QPushButton(QStringLiteral("&Finish"));
    m_finish->setObjectName(QStringLiteral("btnFinish"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"));
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch(1);
    for (QPushButton *b : {m_prev, m_next, m_finish, m_cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->insertSpacing(3, 12);
    layout->addLayout(buttons);

    m_gridView = new TTableWizGrid(m_grid);
    connect(m_gridView, &TTableWizGrid::CellSelected, this, &TfrmTableWiz::OnCellSelected);
    connect(m_gridView, &TTableWizGrid::CharTyped, this, &TfrmTableWiz::OnCharTyped);
    connect(m_prev, &QPushButton::clicked, this, &TfrmTableWiz::btnPrevClick);
    connect(m_next, &QPushButton::clicked, this, &TfrmTableWiz::btnNextClick);
    connect(m_finish, &QPushButton::clicked, this, &TfrmTableWiz::btnFinishClick);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_cancel->isEnabled())
            reject();
    });

    ShowWarning = [this](const QString &text) { QMessageBox::warning(this, windowTitle(), text); };

    ResizeGrid(2, 2);
    m_filling = true;
    m_colors->SetColor(0xFFFFFF);
    m_filling = false;
    SetColor(0xFFFFFF);
    ShowPage(SizePage);
    UpdateEnabling();
    resize(720, 460);
}

TfrmTableWiz::~TfrmTableWiz() = default;

void TfrmTableWiz::SetFields(const TTableFields &f)
{
    m_base = f;
    m_grid = f.Grid;
    m_filling = true;
    m_caption->setText(f.Caption);
    m_captionAlign->setEditText(f.CaptionAlign);
    m_tableAlign->setEditText(f.TableAlign);
    m_border->setChecked(f.Border);
    m_borderWidth->setValue(f.BorderWidth);
    m_width->setText(f.Width);
    m_padding->setValue(f.CellPadding);
    m_spacing->setValue(f.CellSpacing);
    m_background->setText(f.BackgroundImage);
    m_tableAttributes->setText(JoinAttributes(f.Extra));
    m_colors->SetColor(f.Color);
    m_filling = false;
    SetColor(f.Color);
    m_selected = m_grid.Landing({0, 0}, TNavKey::None);
    m_gridView->Rebuild();
    m_gridView->SetCurrent(m_selected);
    ShowCounts();
    UpdateEnabling();
}

TTableFields TfrmTableWiz::Fields() const
{
    TTableFields f = m_base;
    f.Grid = m_grid;
    f.Caption = m_caption->text();
    f.CaptionAlign = m_captionAlign->currentText();
    f.TableAlign = m_tableAlign->currentText();
    f.Border = m_border->isChecked();
    f.BorderWidth = m_borderWidth->value();
    f.Width = m_width->text();
    f.CellPadding = m_padding->value();
    f.CellSpacing = m_spacing->value();
    f.Color = m_color;
    f.BackgroundImage = m_background->text();
    // Kept attributes are read again only when the user changed them, so they stay as written.
    if (m_tableAttributes->text() != JoinAttributes(m_base.Extra))
        f.Extra = ParseAttributes(m_tableAttributes->text());
    return f;
}

int TfrmTableWiz::Page() const
{
    return m_pages->currentIndex();
}

void TfrmTableWiz::ShowPage(int page)
{
    page = std::clamp(page, int(SizePage), int(CellsPage));
    m_pages->setCurrentIndex(page);
    // One grid serves both pages that show it: a preview on the first, the cells on the third.
    if (page == SizePage) {
        m_gridView->SetInteractive(false);
        m_sizePanel->addWidget(m_gridView);
    } else if (page == CellsPage) {
        m_cellsPanel->addWidget(m_gridView);
        m_gridView->SetInteractive(true);
        m_gridView->setFocus();
        SelectCell(m_grid.Contains(m_selected) ? m_selected : TCellPos{0, 0});
    }
    m_gridView->show();
    m_prev->setEnabled(page > SizePage);
    m_next->setEnabled(page < CellsPage);
    m_finish->setEnabled(page == CellsPage);
}

void TfrmTableWiz::btnNextClick()
{
    if (m_next->isEnabled())
        ShowPage(Page() + 1);
}

void TfrmTableWiz::btnPrevClick()
{
    if (m_prev->isEnabled())
        ShowPage(Page() - 1);
}

void TfrmTableWiz::btnFinishClick()
{
    if (!m_finish->isEnabled())
        return;
    m_markup = TableMarkup(Fields(), m_indent, m_lineBreak);
    accept();
}

void TfrmTableWiz::ResizeGrid(int rows, int cols)
{
    m_grid.Resize(rows, cols);
    m_gridView->Rebuild();
    ShowCounts();
}

void TfrmTableWiz::ShowCounts()
{
    m_rows->setText(QStringLiteral("%1 Rows").arg(m_grid.RowCount()));
    m_cols->setText(QStringLiteral("%1 Columns").arg(m_grid.ColCount()));
    m_rowUp->setEnabled(m_grid.RowCount() > 1);
    m_rowDown->setEnabled(m_grid.RowCount() < kMaxRows);
    m_colsLeft->setEnabled(m_grid.ColCount() > 1);
    m_colsRight->setEnabled(m_grid.ColCount() < kMaxCols);
}

void TfrmTableWiz::btnRowUpClick()
{
    ResizeGrid(m_grid.RowCount() - 1, m_grid.ColCount());
}

void TfrmTableWiz::btnRowDownClick()
{
    ResizeGrid(m_grid.RowCount() + 1, m_grid.ColCount());
}

void TfrmTableWiz::btnColsLeftClick()
{
    ResizeGrid(m_grid.RowCount(), m_grid.ColCount() - 1);
}

void TfrmTableWiz::btnColsRightClick()
{
    ResizeGrid(m_grid.RowCount(), m_grid.ColCount() + 1);
}

void TfrmTableWiz::SelectCell(TCellPos pos)
{
    if (!m_grid.Contains(pos))
        return;
    m_gridView->SetCurrent(pos);
    OnCellSelected(pos);
}

void TfrmTableWiz::OnCellSelected(TCellPos pos)
{
    const TCellPos landing = m_grid.Landing(pos, m_gridView->TakeLastKey());
    if (landing != pos || m_gridView->Current() != landing)
        m_gridView->SetCurrent(landing);
    m_selected = landing;
    ShowCell();
}

void TfrmTableWiz::ShowCell()
{
    const bool cell = m_grid.Contains(m_selected) && !m_grid.Cell(m_selected).Covered();
    for (QWidget *field :
         std::initializer_list<QWidget *>{m_cellType, m_cellText, m_colSpan, m_rowSpan, m_cellWidth, m_cellAttributes})
        field->setEnabled(cell);
    m_filling = true;
    const TCellAttributes shown = cell ? m_grid.Cell(m_selected) : TCellAttributes{0, 0, {}, {}, {}, {}};
    m_cellText->setPlainText(shown.Text);
    m_cellType->setEditText(shown.CellType);
    m_colSpan->setRange(1, std::max(1, m_grid.ColCount() - m_selected.Col));
    m_colSpan->setValue(std::max(1, shown.ColSpan));
    m_rowSpan->setRange(1, std::max(1, m_grid.RowCount() - m_selected.Row));
    m_rowSpan->setValue(std::max(1, shown.RowSpan));
    m_cellWidth->setText(shown.Width);
    m_cellAttributes->setText(JoinAttributes(shown.Extra));
    m_filling = false;
    m_gridView->viewport()->update();
}

void TfrmTableWiz::OnSpanChanged()
{
    if (m_filling || !m_grid.Contains(m_selected))
        return;
    const TTableGrid::TMergeResult merged = m_grid.Merge(m_selected, m_rowSpan->value(), m_colSpan->value());
    if (!merged.Done) {
        ShowCell(); // back to the spans the cell has
        ShowWarning(QStringLiteral("These cells would cut through the merged cells that start in row %1, column %2. "
                                   "Make the block cover all of them, or give that block a span of 1 first.")
                        .arg(merged.Conflict.Row + 1)
                        .arg(merged.Conflict.Col + 1));
        return;
    }
    m_gridView->Rebuild();
    m_gridView->SetCurrent(m_selected);
}

void TfrmTableWiz::OnCharTyped(const QString &text)
{
    if (!m_cellText->isEnabled())
        return;
    m_cellText->setFocus();
    m_cellText->moveCursor(QTextCursor::End);
    m_cellText->insertPlainText(text);
}

void TfrmTableWiz::SetColor(std::uint32_t rgb)
{
    m_color = rgb & 0xFFFFFFu;
    QPalette palette = m_colorPanel->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(QRgb(m_color)));
    m_colorPanel->setPalette(palette);
    m_colorPanel->setToolTip(QLatin1Char('#') + TagAssistant::ColorToHtml(m_color));
}

void TfrmTableWiz::ChooseCustomColor()
{
    const QColor color = QColorDialog::getColor(QColor::fromRgb(QRgb(m_color)), this, QStringLiteral("Cell Colors"));
    if (!color.isValid())
        return;
    const std::uint32_t rgb = color.rgb() & 0xFFFFFFu;
    m_filling = true;
    m_colors->SetColor(rgb);
    m_filling = false;
    SetColor(rgb);
}

void TfrmTableWiz::BrowseBackground()
{
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Background Image"), m_documentDir,
        QStringLiteral("All Images (*.gif *.jpg *.jpeg *.png *.bmp *.webp *.svg);;All Files (*)"));
    if (file.isEmpty())
        return;
    m_background->setText(m_documentDir.isEmpty() ? file : TagAssistant::RelativePath(file, m_documentDir));
}

void TfrmTableWiz::UpdateEnabling()
{
    // The caption's alignment means nothing without a caption; the border width nothing without a border.
    m_captionAlign->setEnabled(!m_caption->text().isEmpty());
    m_borderWidth->setEnabled(m_border->isChecked());
}
