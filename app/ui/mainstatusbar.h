// The main window's status bar: nine fixed panels, as the rest of the program addresses them.
#pragma once

#include <QList>
#include <QStatusBar>

#include <vector>

class QLabel;

class TMainStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    enum Panel { Row = 0, Column, CharPos, InsOvr, Caps, Num, ModifiedPanel, Message, Project, Count };

    explicit TMainStatusBar(QWidget *parent = nullptr);

    void SetPanelText(int panel, const QString &text);
    QString PanelText(int panel) const;
    QLabel *PanelLabel(int panel) const { return m_panels.value(panel); }

private:
    QList<QLabel *> m_panels;
    std::vector<int> m_widths; // each panel's own width, the least it takes
};
