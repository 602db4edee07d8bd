// The options dialog: the tree of options on the left, the page editing the chosen value on the
// right, Apply, OK and Cancel. The tree's rules are TOptionTree's; this shows and forwards.
#pragma once

#include "prefs/core/optiontree.h"

#include <QDialog>
#include <QIcon>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class TfrmOptions : public QDialog
{
    Q_OBJECT
public:
    // The tabs of tabCtl.
    enum TTab { tabGeneral = 0, tabEditor = 1, tabBrowser = 2, tabAll = 3 };

    TfrmOptions(const TOptionValues &current, QWidget *parent = nullptr);

    void SetTab(int tab);
    int Tab() const;
    const TOptionTree &Tree() const { return m_tree; }
    QTreeWidgetItem *Item(int index) const;
    // The node whose value the pages edit; -1 when none.
    int CurrentNode() const { return m_current; }
    // The values as last applied (the ones handed in, before any Apply).
    const TOptionValues &Values() const { return m_values; }
    bool OkPressed() const { return m_okPressed; }

    // A user's click on a node: the value's page comes up, a check or radio changes.
    void NodeClicked(int index);
    void btnApplyClick();
    void btnOKClick();

    // Run by Apply with the new values; the caller makes them the program's.
    std::function<void(const TOptionValues &values)> OnApply;
    // Run when the Colors node is clicked.
    std::function<void()> OnColors;
    // Out-of-range values brought into range on Apply, one text.
    std::function<void(const QString &text)> ShowMessage;
    // The file box's browse button: returns the file chosen, empty when cancelled.
    std::function<QString(const QString &filter, const QString &start)> ChooseFile;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildTree();
    void RefreshIcons();
    void RefreshTexts();
    void ShowPageFor(int index);
    void tabCtlChange(int tab);
    void BrowseClick();

    TOptionTree m_tree;
    TOptionValues m_values;
    QList<QTreeWidgetItem *> m_items;
    QList<QIcon> m_images; // the image list, by icon number
    int m_current = -1;
    bool m_filling = false;
    bool m_okPressed = false;
    QString m_filter;

    QTabBar *m_tabCtl = nullptr;
    QTreeWidget *m_trvGeneral = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_edtString = nullptr;
    QSpinBox *m_spnNumber = nullptr;
    QLabel *m_lblRange = nullptr;
    QLineEdit *m_BrowserPathEdit = nullptr;
    QToolButton *m_btnBrowse = nullptr;
    QPushButton *m_btnApply = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
};
