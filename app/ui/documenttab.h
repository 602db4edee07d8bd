// One document tab: its editor, the view that shows it, and where and how it is stored.
#pragma once

#include "app/core/documentfile.h"

#include <QWidget>

class TCodeEditView;
class TMyRichEdit;

class TDocumentTab : public QWidget
{
    Q_OBJECT
public:
    explicit TDocumentTab(QWidget *parent = nullptr);
    ~TDocumentTab() override;

    TMyRichEdit *Editor() const { return m_editor; }
    TCodeEditView *View() const { return m_view; }

    // The full path, or "Untitled" + number for a document never saved.
    QString Path;
    TDocumentFormat Format;
    // The text changed since the last copy for outside browsers was written.
    bool CopyStale = true;

private:
    TMyRichEdit *m_editor;
    TCodeEditView *m_view;
};
