// The new-document dialog: the wizard entry first, then one entry per template.
#include "assistants/ui/newdoc.h"

#include "assistants/core/newdocumentcode.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QIcon ThemeIcon(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), QApplication::style()->standardIcon(fallback));
}

// The wizard is a page with a wand in its corner, so that it stands apart from the templates.
QIcon WizardIcon(const QIcon &page, int size)
{
    QPixmap pixmap = page.pixmap(size, size);
    const QIcon wand = QIcon::fromTheme(QStringLiteral("tools-wizard"));
    if (pixmap.isNull() || wand.isNull())
        return page;
    QPainter painter(&pixmap);
    const int corner = size / 2;
    painter.drawPixmap(size - corner, size - corner, wand.pixmap(corner, corner));
    return QIcon(pixmap);
}

} // namespace

TfrmNewDoc::TfrmNewDoc(QWidget *owner, const QString &templatesDir) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmNewDoc"));
    setWindowTitle(QStringLiteral("Create New HTML Document"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto *layout = new QVBoxLayout(this);
    auto *prompt = new QLabel(QStringLiteral("Choose a template from the list below to\ncreate a new HTML document."));
    prompt->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(prompt);

    m_templates = new QListWidget;
    m_templates->setObjectName(QStringLiteral("lvTemplates"));
    m_templates->setViewMode(QListView::IconMode);
    m_templates->setIconSize(QSize(48, 48));
    m_templates->setGridSize(QSize(110, 86));
    m_templates->setMovement(QListView::Static);
    m_templates->setResizeMode(QListView::Adjust);
    m_templates->setWordWrap(true);
    m_templates->setSelectionMode(QAbstractItemView::SingleSelection);
    m_templates->setMinimumSize(380, 220);
    const QIcon page = ThemeIcon("text-html", QStyle::SP_FileIcon);
    auto *wizard = new QListWidgetItem(WizardIcon(page, m_templates->iconSize().width()), NewDocument::WizardCaption(),
                                       m_templates);
    wizard->setToolTip(QStringLiteral("Start from the Quick Start wizard and the Body Assistant"));
    for (const NewDocument::TTemplate &t : NewDocument::ListTemplates(templatesDir)) {
        auto *item = new QListWidgetItem(page, t.Caption, m_templates);
        item->setData(Qt::UserRole, t.Path);
        item->setToolTip(t.Path);
    }
    wizard->setSelected(true);
    m_templates->setCurrentItem(wizard);
    layout->addWidget(m_templates, 1);

    auto *buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("&OK"));
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"));
    cancel->setObjectName(QStringLiteral("Button1"));
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &TfrmNewDoc::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // OK only means something with an entry chosen.
    connect(m_templates, &QListWidget::itemSelectionChanged, this,
            [this] { m_ok->setEnabled(!m_templates->selectedItems().isEmpty()); });
}

bool TfrmNewDoc::SelectEntry(const QString &caption)
{
    const QList<QListWidgetItem *> found = m_templates->findItems(caption, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    m_templates->clearSelection();
    found.first()->setSelected(true);
    m_templates->setCurrentItem(found.first());
    return true;
}

void TfrmNewDoc::btnOkClick()
{
    const QList<QListWidgetItem *> selected = m_templates->selectedItems();
    if (selected.isEmpty())
        return;
    m_wizard = m_templates->row(selected.first()) == 0;
    m_templateFile = m_wizard ? QString() : selected.first()->data(Qt::UserRole).toString();
    accept();
}
