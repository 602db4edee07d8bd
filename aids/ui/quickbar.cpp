// The QuickBar: a dockable tool window whose tabbed pages hold the snippet buttons.
#include "aids/ui/quickbar.h"

#include "aids/core/quickbarlayout.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

TQuickBar::TQuickBar(QWidget *parent) : QDockWidget(QStringLiteral("QuickBar"), parent)
{
    setObjectName(QStringLiteral("tbQuickBar"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable | QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pgstrlQuicktab"));
    m_pages->setDocumentMode(true);

    m_headingMenu = new QMenu(this);
    m_headingMenu->setObjectName(QStringLiteral("pmHx"));
    for (const TQuickBarMenuItem &item : HeadingItems()) {
        QAction *a = m_headingMenu->addAction(item.Caption);
        a->setObjectName(item.Name);
        connect(a, &QAction::triggered, this, [this, a, c = item.Command] { Q_EMIT AnyTBBtnClick(a, c); });
    }
    m_metaMenu = new QMenu(this);
    m_metaMenu->setObjectName(QStringLiteral("pmMetaTags"));
    for (const TQuickBarMenuItem &item : MetaTagItems()) {
        QAction *a = m_metaMenu->addAction(item.Caption);
        a->setObjectName(item.Name);
        if (item.Command > 0)
            connect(a, &QAction::triggered, this, [this, a, c = item.Command] { Q_EMIT AnyTBBtnClick(a, c); });
    }

    for (const TQuickBarPage &page : QuickBarPages()) {
        auto *pageWidget = new QWidget(m_pages);
        pageWidget->setObjectName(page.Name);
        auto *layout = new QHBoxLayout(pageWidget);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(4);
        auto *bar = new QToolBar(pageWidget);
        bar->setIconSize(QSize(20, 20));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        layout->addWidget(bar);

        if (page.Name == QLatin1String("tabScripting")) {
            m_scriptSelect = new QComboBox(pageWidget);
            m_scriptSelect->setObjectName(QStringLiteral("cmbScriptSelect"));
            m_scriptSelect->addItems({QStringLiteral("JavaScript"), QStringLiteral("VBScript")});
            m_scriptSelect->setToolTip(QStringLiteral("Script language"));
            bar->addWidget(m_scriptSelect);
            bar->addSeparator();
        }
        for (const TQuickBarButton &b : page.Buttons) {
            auto *button = new QToolButton(bar);
            button->setObjectName(b.Name);
            button->setProperty("Tag", b.Command);
            button->setToolTip(b.Hint);
            button->setStatusTip(b.Hint);
            button->setAutoRaise(true);
            const QIcon icon = b.IconName.isEmpty() ? QIcon() : QIcon::fromTheme(b.IconName);
            if (!icon.isNull()) {
                button->setIcon(icon);
                button->setToolButtonStyle(Qt::ToolButtonIconOnly);
            } else {
                button->setText(b.Caption);
                button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            }
            if (b.Name == QLatin1String("ToolbarButton9728")) {
                button->setMenu(m_headingMenu);
                button->setPopupMode(QToolButton::InstantPopup);
            } else if (b.Name == QLatin1String("ToolbarButton9736")) {
                button->setMenu(m_metaMenu);
                button->setPopupMode(QToolButton::MenuButtonPopup);
            }
            if (b.Command > 0)
                connect(button, &QToolButton::clicked, this,
                        [this, button, c = b.Command] { Q_EMIT AnyTBBtnClick(button, c); });
            bar->addWidget(button);
            m_buttons.insert(b.Name, button);
        }
        if (page.Name == QLatin1String("tabFrames")) {
            bar->addSeparator();
            bar->addWidget(new QLabel(QStringLiteral(" Target: "), bar));
            m_target = new QLineEdit(bar);
            m_target->setObjectName(QStringLiteral("edtATarget"));
            m_target->setMaximumWidth(120);
            m_target->setToolTip(QStringLiteral("Target frame for new links"));
            bar->addWidget(m_target);
        }
        layout->addStretch(1);
        m_pages->addTab(pageWidget, page.Caption);
        m_pageWidgets.insert(page.Name, pageWidget);
    }
    connect(m_scriptSelect, &QComboBox::currentIndexChanged, this, &TQuickBar::OnScriptSelectChanged);
    setWidget(m_pages);
    SetCommandsEnabled(false);
}

void TQuickBar::OnScriptSelectChanged(int index)
{
    if (QToolButton *b = m_buttons.value(QStringLiteral("tbScpSelect")))
        b->setText(index == 0 ? QStringLiteral("switch") : QStringLiteral("select"));
}

void TQuickBar::SetCommandsEnabled(bool enabled)
{
    for (QToolButton *b : std::as_const(m_buttons)) {
        // Command 55 has no action of its own.
        const int command = b->property("Tag").toInt();
        b->setEnabled(enabled && (command > 0 || b->menu()) && command != 55);
    }
    for (QAction *a : m_headingMenu->actions())
        a->setEnabled(enabled);
    for (QAction *a : m_metaMenu->actions())
        a->setEnabled(enabled);
}
