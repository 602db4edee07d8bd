// The main window's status bar: nine fixed panels, as the rest of the program addresses them.
#include "app/ui/mainstatusbar.h"

#include <QLabel>

TMainStatusBar::TMainStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    static const int widths[Count] = {65, 65, 60, 35, 35, 35, 50, 300, 50};
    m_widths.assign(widths, widths + Count);
    for (int i = 0; i < Count; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        // The message panel takes the slack; the others keep their width.
        if (i == Message) {
            // Messages give way first on a narrow window: the readouts must stay whole.
            label->setMinimumWidth(60);
            label->resize(widths[i], label->height());
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
    QLabel *label = m_panels.value(panel);
    if (!label)
        return;
    label->setText(text);
    // The position readouts never cut their numbers ("Column: 2" for 26): they widen instead.
    if (panel == Row || panel == Column || panel == CharPos)
        label->setMinimumWidth(qMax(m_widths[size_t(panel)], label->sizeHint().width()));
}

QString TMainStatusBar::PanelText(int panel) const
{
    QLabel *label = m_panels.value(panel);
    return label ? label->text() : QString();
}
