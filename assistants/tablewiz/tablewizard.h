// TfrmTableWiz, the Table Assistant: three pages (the table's size, its properties, every cell)
// that lay out a table on a grid and make its markup. It hands the markup back to its caller
// (TableWizExec), which puts it into the document.
#pragma once

#include "assistants/core/tablemarkup.h"
#include "assistants/tablewiz/tablewizexec.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;
class TColorBox;
class TTableWizGrid;

class TABLEWIZ_API TfrmTableWiz : public QDialog
{
    Q_OBJECT
public:
    enum TPage { SizePage = 0, PropertiesPage, CellsPage };

    explicit TfrmTableWiz(QWidget *owner = nullptr);
    ~TfrmTableWiz() override;

    // A table read back: its grid and properties fill the pages; what has no field rides along.
    void SetFields(const TableWiz::TTableFields &fields);
    TableWiz::TTableFields Fields() const;
    void SetIndent(const QString &indent) { m_indent = indent; }
    void SetLineBreak(const QString &lineBreak) { m_lineBreak = lineBreak; }
    // A background image picked with the browse button is written relative to this folder.
    void SetDocumentDir(const QString &dir) { m_documentDir = dir; }
    // The markup made by Finish; empty before.
    QString Markup() const { return m_markup; }

    int Page() const;
    TableWiz::TCellPos SelectedCell() const { return m_selected; }

    // The buttons, for the dialog itself and for tests.
    void btnNextClick();
    void btnPrevClick();
    void btnFinishClick();
    void btnRowUpClick();
    void btnRowDownClick();
    void btnColsLeftClick();
    void btnColsRightClick();
    // As a click on the grid of the cells page.
    void SelectCell(TableWiz::TCellPos pos);

    // Shows a refused merge; tests replace it.
    std::function<void(const QString &text)> ShowWarning;

private:
    QWidget *BuildSizePage();
    QWidget *BuildPropertiesPage();
    QWidget *BuildCellsPage();
    void ShowPage(int page);
    void ResizeGrid(int rows, int cols);
    void ShowCounts();
    void OnCellSelected(TableWiz::TCellPos pos);
    void ShowCell();
    void OnSpanChanged();
    void OnCharTyped(const QString &text);
    void SetColor(std::uint32_t rgb);
    void ChooseCustomColor();
    void BrowseBackground();
    void UpdateEnabling();

    TableWiz::TTableGrid m_grid;
    TableWiz::TTableFields m_base; // what was read, for the parts without a field
    TableWiz::TCellPos m_selected;
    std::uint32_t m_color = 0xFFFFFF;
    QString m_indent;
    QString m_lineBreak = QStringLiteral("\r");
    QString m_documentDir;
    QString m_markup;
    bool m_filling = false;

    QStackedWidget *m_pages;
    TTableWizGrid *m_gridView;
    QVBoxLayout *m_sizePanel;
    QVBoxLayout *m_cellsPanel;
    QPushButton *m_prev, *m_next, *m_finish, *m_cancel;
    // size page
    QLabel *m_rows, *m_cols;
    QToolButton *m_rowUp, *m_rowDown, *m_colsLeft, *m_colsRight;
    // properties page
    QLineEdit *m_caption;
    QComboBox *m_captionAlign, *m_tableAlign;
    QCheckBox *m_border;
    QSpinBox *m_borderWidth, *m_padding, *m_spacing;
    QLineEdit *m_width, *m_background, *m_tableAttributes;
    TColorBox *m_colors;
    QFrame *m_colorPanel;
    // cells page
    QComboBox *m_cellType;
    QPlainTextEdit *m_cellText;
    QSpinBox *m_colSpan, *m_rowSpan;
    QLineEdit *m_cellWidth, *m_cellAttributes;
};
