// The main window's status bar: nine fixed panels, as the rest of the program addresses them.
#include "app/ui/mainstatusbar.h"

#include <QLabel>

TMainStatusBar::TMainStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    static const int widths[Count] = {65, 65, 60, 35, 35, 35, 50, 300, 50};
    for (int i = 0; i < Count; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        // The message panel takes the slack; the others keep their width.
        if (i == Message) {
            label->setMinimumWidth(widths[i]);
            addPermanentWidget(label, 1);
        } else {
            label->setMinimumWidth(widths[i]);
            // The position panels grow with large numbers; the indicators keep their size.
            if (i == InsOvr || i == Caps || i == Num || i == ModifiedPanel)
                label->setMaximumWidth(widths[i] + 20);
            if (i == InsOvr || i == Caps || i == Num)
                label->setAlignment(Qt::AlignCenter);
            addPermanentWidget(label, 0);
        }
        m_panels.append(label);
    }
}

void TMainStatusBar::SetPanelText(int panel, const QString &text)
{
    if (QLabel *label = m_panels.value(panel))
        label->setText(text);
}

QString TMainStatusBar::PanelText(int panel) const
{
    QLabel *label = m_panels.value(panel);
    return label ? label->text() : QString();
}
