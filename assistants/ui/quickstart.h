// TfrmQuickStart: the two pages of the quick start wizard (title and document type; refresh,
// keywords and description). It shows the fields it is given and hands them back; the caller
// completes the page.
#pragma once

#include "assistants/core/quickstartcode.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

class TfrmQuickStart : public QDialog
{
    Q_OBJECT
public:
    TfrmQuickStart(QWidget *owner, const QuickStart::TFields &fields);

    QuickStart::TFields Fields() const;

    // The page buttons: Finish is only on the second page.
    void btnNextClick();
    void btnPrevClick();
    int CurrentPage() const;

private:
    QStackedWidget *m_pages;
    QLineEdit *m_title;
    QComboBox *m_docType;
    // A document type read over several lines is shown on one; unchanged, it is written as read.
    QString m_readDocType;
    QString m_shownDocType;
    QSpinBox *m_refresh;
    QLineEdit *m_refreshUrl;
    QPlainTextEdit *m_keywords;
    QPlainTextEdit *m_description;
    QPushButton *m_prev;
    QPushButton *m_next;
    QPushButton *m_finish;
};
