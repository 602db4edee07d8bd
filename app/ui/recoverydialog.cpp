#include "app/ui/recoverydialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TRecoveryDialog::TRecoveryDialog(const QList<TItem> &items, QWidget *parent)
    : QDialog(parent), m_items(items), m_list(new QListWidget(this)), m_difference(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("RecoveryDialog"));
    setWindowTitle(QStringLiteral("Recover Unsaved Documents"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("TagForge did not end normally last time. These documents had changes "
                                            "that were not saved. The checked ones are opened again; the others "
                                            "are discarded."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    for (const TItem &item : items) {
        auto *row = new QListWidgetItem(item.Title + QStringLiteral("  (") + item.Detail + QLatin1Char(')'), m_list);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(Qt::Checked);
        row->setToolTip(item.Title);
    }
    layout->addWidget(m_list, 1);
    auto *label = new QLabel(QStringLiteral("&Changes against the file on disk:"), this);
    label->setBuddy(m_difference);
    layout->addWidget(label);
    m_difference->setReadOnly(true);
    m_difference->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_difference->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_difference, 2);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_difference->setPlainText(row >= 0 && row < m_items.size() ? m_items.at(row).Difference : QString());
    });
    m_list->setCurrentRow(0);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *recover = buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    QPushButton *discard = buttons->addButton(QStringLiteral("&Discard All"), QDialogButtonBox::DestructiveRole);
    buttons->addButton(QStringLiteral("Ask &Later"), QDialogButtonBox::RejectRole);
    recover->setDefault(true);
    connect(recover, &QPushButton::clicked, this, &QDialog::accept);
    connect(discard, &QPushButton::clicked, this, [this] {
        if (QMessageBox::question(this, windowTitle(),
                                  QStringLiteral("The unsaved changes of every listed document will be lost. "
                                                 "Discard them?"))
            == QMessageBox::Yes)
            done(Discarded);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 480);
}

QList<int> TRecoveryDialog::Checked() const
{
    QList<int> rows;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            rows << i;
    return rows;
}
