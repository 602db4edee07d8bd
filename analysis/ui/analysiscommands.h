// The document tree page, the syntax and link checks and their report page, registered with the
// window through TCommandHost.
#pragma once

#include "analysis/core/findings.h"

#include <QObject>
#include <QPointer>
#include <QString>

class TCommandHost;
class TReportPanel;
class TTreePanel;

class TAnalysisCommands : public QObject
{
    Q_OBJECT
public:
    // Fills the tree and report pages and binds SyntaxCheck1 and LinkCheckerlocal1; expand turns
    // an include source into the page the checks read.
    TAnalysisCommands(TCommandHost &host, TPageExpander expand, QObject *parent);

    TTreePanel *TreePanel() const { return m_treePanel; }
    TReportPanel *ReportPanel() const { return m_reportPanel; }

    // Rebuilds the tree from the active document, only while its page shows.
    void btnRefreshHTreeClick();
    // Leaves only the root, as when no document is open.
    void ClearTree();
    void SyntaxCheck1Click();
    void LinkCheckerlocal1Click();

private:
    void ShowReportPage();

    TCommandHost &m_host;
    TPageExpander m_expand;
    TTreePanel *m_treePanel;
    TReportPanel *m_reportPanel;
    QPointer<QObject> m_treeEditor;  // the document the tree was built from
};
