// One document tab: its editor, the view that shows it, and where and how it is stored.
#include "app/ui/documenttab.h"

#include "aids/core/myrichedit.h"
#include "editor/ui/codeeditview.h"

#include <QVBoxLayout>

TDocumentTab::TDocumentTab(QWidget *parent) : QWidget(parent)
{
    m_editor = new TMyRichEdit(this);
    m_view = new TCodeEditView(m_editor, this);
    m_view->setObjectName(QStringLiteral("RichEdit1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
}

TDocumentTab::~TDocumentTab()
{
    // The view listens to the editor, so it goes first.
    delete m_view;
}
