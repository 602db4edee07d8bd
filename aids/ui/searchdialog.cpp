// TSearchDialog: the modeless find dialog (FindDialog1) and replace dialog (ReplaceDialog1).
#include "aids/ui/searchdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TSearchDialog::TSearchDialog(bool replace, QWidget *parent) : QDialog(parent), m_replace(replace)
{
    setObjectName(replace ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
    setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setModal(false);

    auto *fields = new QFormLayout;
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("edtFind"));
    fields->addRow(QStringLiteral("Fi&nd what:"), m_findEdit);
    if (replace) {
        m_replaceEdit = new QLineEdit(this);
        m_replaceEdit->setObjectName(QStringLiteral("edtReplace"));
        fields->addRow(QStringLiteral("Re&place with:"), m_replaceEdit);
    }

    m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("chkMatchCase"));
    m_wholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    m_wholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    auto *checks = new QVBoxLayout;
    checks->addWidget(m_wholeWord);
    checks->addWidget(m_matchCase);
    auto *options = new QHBoxLayout;
    options->addLayout(checks);

    // The replace dialog searches downwards only.
    m_down = new QRadioButton(QStringLiteral("&Down"), this);
    m_down->setObjectName(QStringLiteral("rdoDown"));
    m_up = new QRadioButton(QStringLiteral("&Up"), this);
    m_up->setObjectName(QStringLiteral("rdoUp"));
    m_down->setChecked(true);
    if (!replace) {
        auto *direction = new QGroupBox(QStringLiteral("Direction"), this);
        auto *directionLayout = new QHBoxLayout(direction);
        directionLayout->addWidget(m_up);
        directionLayout->addWidget(m_down);
        options->addWidget(direction);
    } else {
        m_down->hide();
        m_up->hide();
    }

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch();

    auto *buttons = new QVBoxLayout;
    m_findNext = new QPushButton(QStringLiteral("&Find Next"), this);
    m_findNext->setObjectName(QStringLiteral("btnFindNext"));
    m_findNext->setDefault(true);
    buttons->addWidget(m_findNext);
    connect(m_findNext, &QPushButton::clicked, this, [this] { Q_EMIT Find(this); });
    if (replace) {
        m_replaceOne = new QPushButton(QStringLiteral("&Replace"), this);
        m_replaceOne->setObjectName(QStringLiteral("btnReplace"));
        m_replaceAll = new QPushButton(QStringLiteral("Replace &All"), this);
        m_replaceAll->setObjectName(QStringLiteral("btnReplaceAll"));
        buttons->addWidget(m_replaceOne);
        buttons->addWidget(m_replaceAll);
        connect(m_replaceOne, &QPushButton::clicked, this, [this] { Q_EMIT Replace(this, false); });
        connect(m_replaceAll, &QPushButton::clicked, this, [this] { Q_EMIT Replace(this, true); });
    }
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_findEdit, &QLineEdit::textChanged, this, &TSearchDialog::UpdateButtons);
    UpdateButtons();
}

TSearchDialogState TSearchDialog::State() const
{
    TSearchDialogState state;
    state.FindText = m_findEdit->text();
    if (m_replaceEdit)
        state.ReplaceText = m_replaceEdit->text();
    state.Down = m_down->isChecked();
    state.MatchCase = m_matchCase->isChecked();
    state.WholeWord = m_wholeWord->isChecked();
    return state;
}

QString TSearchDialog::FindText() const
{
    return m_findEdit->text();
}

void TSearchDialog::SetFindText(const QString &text)
{
    m_findEdit->setText(text);
}

// As in the platform's dialogs, searching needs something to search for.
void TSearchDialog::UpdateButtons()
{
    const bool any = !m_findEdit->text().isEmpty();
    m_findNext->setEnabled(any);
    if (m_replaceOne) {
        m_replaceOne->setEnabled(any);
        m_replaceAll->setEnabled(any);
    }
}
