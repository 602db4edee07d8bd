// The quick start wizard's two pages and their buttons.
#include "assistants/ui/quickstart.h"

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// Line breaks and the blanks around them become one blank.
QString OneLine(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("[ \\t]*[\\r\\n]+[ \\t]*"));
    QString line = text;
    return line.replace(breaks, QStringLiteral(" "));
}

// The memo's lines, broken as the document's are.
QString MemoText(const QPlainTextEdit *memo)
{
    QString text = memo->toPlainText();
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

QString MemoShown(const QString &text)
{
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel *Note(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::Disabled, QPalette::WindowText));
    label->setPalette(p);
    return label;
}

} // namespace

TfrmQuickStart::TfrmQuickStart(QWidget *owner, const QuickStart::TFields &fields) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmQuickStart"));
    setWindowTitle(QStringLiteral("Quick Start"));
    auto *layout = new QVBoxLayout(this);

    // The header: the program's picture beside the wizard's name.
    auto *header = new QFrame;
    header->setObjectName(QStringLiteral("pnlHeader"));
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Base);
    header->setFrameShape(QFrame::StyledPanel);
    auto *headerRow = new QHBoxLayout(header);
    auto *logo = new QLabel;
    logo->setObjectName(QStringLiteral("imgLogo"));
    // The program's own picture, where the program's resources are linked in.
    if (QFile::exists(QStringLiteral(":/tagforge.svg")))
        logo->setPixmap(QIcon(QStringLiteral(":/tagforge.svg")).pixmap(48, 48));
    auto *heading = new QLabel(QStringLiteral("Quick Start"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    headerRow->addWidget(logo);
    headerRow->addWidget(heading, 1);
    layout->addWidget(header);

    m_pages = new QStackedWidget;
    m_pages->setObjectName(QStringLiteral("pages"));

    auto *first = new QWidget;
    first->setObjectName(QStringLiteral("Default"));
    auto *firstGrid = new QGridLayout(first);
    m_title = new QLineEdit(fields.Title);
    m_title->setObjectName(QStringLiteral("edtTitle"));
    m_title->setMinimumWidth(420);
    m_docType = new QComboBox;
    m_docType->setObjectName(QStringLiteral("cbxDocType"));
    m_docType->setEditable(true);
    m_docType->addItems(QuickStart::DocTypes());
    // A page with no document type is offered HTML 4.0, as the note advises.
    m_readDocType = fields.DocType;
    m_shownDocType = OneLine(fields.DocType);
    if (!fields.DocType.isEmpty()) {
        const int index = m_docType->findText(fields.DocType);
        if (index >= 0)
            m_docType->setCurrentIndex(index);
        else
            m_docType->setEditText(m_shownDocType);
    }
    auto *titleLabel = new QLabel(QStringLiteral("Title:"));
    titleLabel->setBuddy(m_title);
    auto *docTypeLabel = new QLabel(QStringLiteral("DocType:"));
    docTypeLabel->setBuddy(m_docType);
    firstGrid->addWidget(titleLabel, 0, 0);
    firstGrid->addWidget(m_title, 0, 1);
    firstGrid->addWidget(Note(QStringLiteral("The title of the page.")), 1, 1);
    firstGrid->addWidget(docTypeLabel, 2, 0);
    firstGrid->addWidget(m_docType, 2, 1);
    firstGrid->addWidget(Note(QStringLiteral("Doctype describes the HTML dialect you are using \n"
                                             "to write your document. If you are not sure take HTML 4.0.")),
                         3, 1);
    firstGrid->setRowStretch(4, 1);
    m_pages->addWidget(first);

    auto *second = new QWidget;
    second->setObjectName(QStringLiteral("page2"));
    auto *secondGrid = new QGridLayout(second);
    m_refresh = new QSpinBox;
    m_refresh->setObjectName(QStringLiteral("spnRefresh"));
    m_refresh->setRange(0, 99999);
    m_refresh->setValue(fields.RefreshSeconds);
    m_refreshUrl = new QLineEdit(fields.RefreshUrl);
    m_refreshUrl->setObjectName(QStringLiteral("edtRefreshURL"));
    auto *refreshRow = new QHBoxLayout;
    refreshRow->addWidget(new QLabel(QStringLiteral("Refresh after  ")));
    refreshRow->addWidget(m_refresh);
    refreshRow->addWidget(new QLabel(QStringLiteral("s with URL:")));
    refreshRow->addWidget(m_refreshUrl, 1);
    m_keywords = new QPlainTextEdit(MemoShown(fields.Keywords));
    m_keywords->setObjectName(QStringLiteral("mmoKeywords"));
    m_description = new QPlainTextEdit(MemoShown(fields.Description));
    m_description->setObjectName(QStringLiteral("mmoDesc"));
    for (QPlainTextEdit *memo : {m_keywords, m_description}) {
        memo->setTabChangesFocus(true);
        memo->setMinimumHeight(60);
    }
    secondGrid->addWidget(new QLabel(QStringLiteral("HTTP Equiv:")), 0, 0);
    secondGrid->addLayout(refreshRow, 0, 1);
    secondGrid->addWidget(new QLabel(QStringLiteral("Keywords:")), 1, 0, Qt::AlignTop);
    secondGrid->addWidget(m_keywords, 1, 1);
    secondGrid->addWidget(new QLabel(QStringLiteral("Description:")), 2, 0, Qt::AlignTop);
    secondGrid->addWidget(m_description, 2, 1);
    m_pages->addWidget(second);
    layout->addWidget(m_pages, 1);

    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    auto *buttons = new QHBoxLayout;
    m_prev = new QPushButton(QStringLiteral("&Previous"));
    m_prev->setObjectName(QStringLiteral("btnPrev"));
    m_next = new QPushButton(QStringLiteral("&Next"));
    m_next->setObjectName(QStringLiteral("btnNext"));
    m_finish = new QPushButton(QStringLiteral("&Finish"));
    m_finish->setObjectName(QStringLiteral("btnFinish"));
    m_finish->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch();
    buttons->addWidget(m_prev);
    buttons->addWidget(m_next);
    buttons->addWidget(m_finish);
    buttons->addSpacing(12);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_prev, &QPushButton::clicked, this, &TfrmQuickStart::btnPrevClick);
    connect(m_next, &QPushButton::clicked, this, &TfrmQuickStart::btnNextClick);
    connect(m_finish, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    btnPrevClick();
}

QuickStart::TFields TfrmQuickStart::Fields() const
{
    QuickStart::TFields f;
    f.Title = m_title->text();
    const QString docType = m_docType->currentText();
    f.DocType = !m_readDocType.isEmpty() && docType == m_shownDocType ? m_readDocType : docType;
    f.RefreshSeconds = m_refresh->value();
    f.RefreshUrl = m_refreshUrl->text();
    f.Keywords = MemoText(m_keywords);
    f.Description = MemoText(m_description);
    return f;
}

void TfrmQuickStart::btnNextClick()
{
    m_pages->setCurrentIndex(1);
    m_prev->setEnabled(true);
    m_finish->setEnabled(true);
    m_next->setEnabled(false);
    // Enter goes on: Next on the first page, Finish on the second.
    m_next->setDefault(false);
    m_finish->setDefault(true);
    m_refresh->setFocus();
}

void TfrmQuickStart::btnPrevClick()
{
    m_pages->setCurrentIndex(0);
    m_prev->setEnabled(false);
    m_finish->setEnabled(false);
    m_next->setEnabled(true);
    m_finish->setDefault(false);
    m_next->setDefault(true);
    m_title->setFocus();
}

int TfrmQuickStart::CurrentPage() const
{
    return m_pages->currentIndex();
}
