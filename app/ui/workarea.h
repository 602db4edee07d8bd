// The window's central area: the side bar, the editor pane with its tabs, the browser pane, and
// the two splitters between them. It places the panes and remembers where they were; the window
// connects the toggles and fills the tabs.
#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <functional>

class QLineEdit;
class QSplitter;
class QTabWidget;
class QToolButton;
class TExplorerBar;
class TMultiLineTabs;
class TWebBrowser;
struct TSavedState;
struct TWindowLayout;

class TWorkArea : public QWidget
{
    Q_OBJECT
public:
    // The toggle strip's buttons go into toolButtons by name; browserToolbar makes the browser
    // pane's toolbar inside the pane it is given.
    TWorkArea(QHash<QString, QToolButton *> &toolButtons, const std::function<QWidget *(QWidget *)> &browserToolbar,
              QWidget *parent);

    // Puts the browser into its pane; without a browser engine the pane and its buttons go away.
    void CreateBrowser();

    TExplorerBar *ExplorerBar() const { return m_explorerBar; }
    QSplitter *BarSplitter() const { return m_barSplitter; }
    QSplitter *IESplitter() const { return m_ieSplitter; }
    QTabWidget *PageControl() const { return m_pageControl; }
    TMultiLineTabs *MultiLineTabs() const { return m_multiLineTabs; }
    QLineEdit *TagHint() const { return m_mmoTagHint; }
    QWidget *TagTipStrip() const { return m_pnlTagTip; }
    TWebBrowser *WebBrowser() const { return m_webBrowser; }

    // Side bar placement: 3 left, 4 right (the stored "BarAlign" values).
    int BarAlign() const { return m_barAlign; }
    void SetBarAlign(int align);
    int BarWidth() const;
    void SetBarVisible(bool visible);
    bool BarVisible() const;

    // 0: editor above the browser, 1: side by side (the stored "IEPrevOrientation").
    int IEPrevOrientation() const;
    bool IEPrevSwapped() const;
    bool PreviewVisible() const;
    void SetPreviewVisible(bool visible);
    // The browser shown beside a visible editor pane.
    bool BothPanesVisible() const;

    // Turns the split between editor and browser (btnMainHorzVert) and swaps the panes (btnMainWinRes).
    void ToggleOrientation();
    void SwapPanes();

    // The stored layout of the side bar and the panes; the splitter position waits for the first
    // show, when the splitter has its size.
    void ApplyLayout(const TWindowLayout &layout);
    void CollectLayout(TSavedState &state) const;
    void ApplyPendingSplit();

private:
    void ApplyPaneMinimums();

    QHash<QString, QToolButton *> &m_toolButtons;
    TExplorerBar *m_explorerBar = nullptr;
    QSplitter *m_barSplitter = nullptr;
    QSplitter *m_ieSplitter = nullptr;
    QWidget *m_editPane = nullptr;
    QWidget *m_browserPane = nullptr;
    QWidget *m_pnlTagTip = nullptr;
    QLineEdit *m_mmoTagHint = nullptr;
    QTabWidget *m_pageControl = nullptr;
    TMultiLineTabs *m_multiLineTabs = nullptr;
    TWebBrowser *m_webBrowser = nullptr;
    int m_barAlign = 3;
    int m_pendingSplitPosition = -1;
};
