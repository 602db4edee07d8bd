// The Table Assistant command, on the Insert menu and the QuickBar's Table page. It runs the table
// wizard through its library entry TableWizExec, as any host program does, and writes the table
// it hands back into the document as one undo step.
#pragma once

#include <QObject>

class TCommandHost;

class TTableWizardCommands : public QObject
{
    Q_OBJECT
public:
    TTableWizardCommands(TCommandHost &host, QObject *parent);

    // With the caret in a table (or that table selected) the wizard reads it back and its result
    // replaces it; otherwise the new table replaces the selection, or goes in at the caret.
    void TableWizard();

private:
    TCommandHost &m_host;
};
