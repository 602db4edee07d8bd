// The thin strips around the panes: the toggle strip above the documents, the tag-parameter strip
// and the browser pane's grip. They only build widgets; the window connects them.
#include "app/ui/panestrips.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

QToolButton *MakeToggle(QWidget *parent, const QString &name, const QString &icon, const QString &caption,
                        const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setChecked(true);
    button->setAutoRaise(true);
    const QIcon themed = QIcon::fromTheme(icon);
    if (themed.isNull() || icon.isEmpty())
        button->setText(caption);
    else
        button->setIcon(themed);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}

QWidget *MakeTopBar(QWidget *parent, QHash<QString, QToolButton *> &buttons)
{
    auto *pnlTopBar = new QWidget(parent);
    pnlTopBar->setObjectName(QStringLiteral("pnlTopBar"));
    auto *topLayout = new QHBoxLayout(pnlTopBar);
    topLayout->setContentsMargins(2, 1, 2, 1);
    topLayout->setSpacing(1);
    auto *pnlTopBarBtns = new QWidget(pnlTopBar);
    pnlTopBarBtns->setObjectName(QStringLiteral("pnlTopBarBtns"));
    auto *btnLayout = new QHBoxLayout(pnlTopBarBtns);
    btnLayout->setContentsMargins(0, 0, 0, 0);
    btnLayout->setSpacing(1);
    struct TToggle
    {
        const char *name, *icon, *caption, *hint;
    };
    static const TToggle toggles[] = {
        {"btnToggleNums", "format-list-ordered", "#", "Toggle Line Numbers on/off"},
        {"btnTagToggleCompl", "", "<>", "Tag Brackets Completion on/off"},
        {"btnToggleTagInsight", "help-hint", "?", "Tag Helper on/off"},
        {"btnToggleBrowser", "internet-web-browser", "Web", "Toggle Browser on/off"},
        {"btnToggleColorHiLiting", "", "CH", "Color Highlighting on/off"},
        {"btnToggleWordComp", "", "KC", "Keyword Completetion on/off"},
    };
    for (const TToggle &t : toggles) {
        QToolButton *b = MakeToggle(pnlTopBarBtns, QLatin1String(t.name), QLatin1String(t.icon),
                                    QLatin1String(t.caption), QLatin1String(t.hint));
        buttons.insert(b->objectName(), b);
        btnLayout->addWidget(b);
    }
    topLayout->addWidget(pnlTopBarBtns);
    topLayout->addStretch(1);
    static const TToggle switches[] = {
        {"btnMainHorzVert", "view-split-left-right", "2", "Switch to Vertical/ Horizontal Mode"},
        {"btnMainWinRes", "exchange-positions", "v", "Switch Panes"},
    };
    for (const TToggle &t : switches) {
        QToolButton *b = MakeToggle(pnlTopBar, QLatin1String(t.name), QLatin1String(t.icon), QLatin1String(t.caption),
                                    QLatin1String(t.hint));
        b->setCheckable(false);
        buttons.insert(b->objectName(), b);
        topLayout->addWidget(b);
    }
    return pnlTopBar;
}

QWidget *MakeTagTipStrip(QWidget *parent, QLineEdit *&mmoTagHint)
{
    auto *pnlTagTip = new QWidget(parent);
    pnlTagTip->setObjectName(QStringLiteral("pnlTagTip"));
    auto *tipLayout = new QHBoxLayout(pnlTagTip);
    tipLayout->setContentsMargins(2, 1, 2, 1);
    tipLayout->addWidget(new QLabel(QStringLiteral(" Tag Params:  "), pnlTagTip));
    mmoTagHint = new QLineEdit(pnlTagTip);
    mmoTagHint->setObjectName(QStringLiteral("mmoTagHint"));
    mmoTagHint->setReadOnly(true);
    mmoTagHint->setFrame(false);
    tipLayout->addWidget(mmoTagHint, 1);
    return pnlTagTip;
}

QWidget *MakeGripStrip(QWidget *parent)
{
    auto *pnlIETopBar = new QWidget(parent);
    pnlIETopBar->setObjectName(QStringLiteral("pnlIETopBar"));
    pnlIETopBar->setFixedHeight(7);
    auto *gripLayout = new QVBoxLayout(pnlIETopBar);
    gripLayout->setContentsMargins(1, 1, 1, 1);
    gripLayout->setSpacing(1);
    for (int i = 0; i < 2; ++i) {
        auto *bevel = new QFrame(pnlIETopBar);
        bevel->setFrameStyle(QFrame::HLine | QFrame::Raised);
        bevel->setFixedHeight(2);
        gripLayout->addWidget(bevel);
    }
    return pnlIETopBar;
}
