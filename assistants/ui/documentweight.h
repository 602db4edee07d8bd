// TfrmDocumentWeight: the size of the active page, of the files it pulls in and their download
// time, with every dependency listed with its size and status.
#pragma once

#include "assistants/core/documentweight.h"

#include <QDialog>

class QLabel;
class QTreeWidget;

// What the dialog sees of the document.
struct TDocumentWeightInput
{
    QString Text;         // the editor's contents
    QString DocumentPath; // empty or a bare name for a document never saved
    bool Modified = false;
};

class TfrmDocumentWeight : public QDialog
{
    Q_OBJECT
public:
    // Measures the page at once, as showing the dialog would.
    TfrmDocumentWeight(QWidget *owner, const TDocumentWeightInput &input);

    // Measures the files on disk again.
    void btnRefreshClick();
    const DocumentWeight::TWeight &Weight() const { return m_weight; }

private:
    QLabel *Figure(const char *name);
    void ShowWeight();

    TDocumentWeightInput m_input;
    DocumentWeight::TWeight m_weight;
    QLabel *m_docuSize = nullptr, *m_depSize = nullptr, *m_totalSize = nullptr;
    QLabel *m_times[3] = {};
    QLabel *m_notice = nullptr;
    QTreeWidget *m_list = nullptr;
};
