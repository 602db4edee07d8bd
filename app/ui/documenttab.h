// One document tab: its editor, the view that shows it, and where and how it is stored.
#pragma once

#include "app/core/diskstamp.h"
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
    const QString &Path() const { return m_path; }
    void SetPath(const QString &path) { m_path = path; }
    // How the file is stored: encoding and line breaks, kept for saving.
    TDocumentFormat &Format() { return m_format; }
    const TDocumentFormat &Format() const { return m_format; }
    // The file as this program last read or wrote it.
    TDiskStamp &Stamp() { return m_stamp; }
    // The file was deleted on disk while open (the tab says so; Save writes it again).
    bool GoneFromDisk() const { return m_gone; }
    void SetGoneFromDisk(bool gone) { m_gone = gone; }
    // The text changed since the last copy for outside browsers was written.
    bool CopyStale() const { return m_copyStale; }
    void SetCopyStale(bool stale) { m_copyStale = stale; }
    // A disagreement between the declared charset and the encoding that the user chose to keep
    // ("charset|encoding"), so that Save does not ask about it again.
    const QString &AcceptedCharsetMismatch() const { return m_acceptedCharsetMismatch; }
    void SetAcceptedCharsetMismatch(const QString &mismatch) { m_acceptedCharsetMismatch = mismatch; }

private:
    QString m_path;
    TDocumentFormat m_format;
    bool m_copyStale = true;
    TDiskStamp m_stamp;
    bool m_gone = false;
    QString m_acceptedCharsetMismatch;
    TMyRichEdit *m_editor;
    TCodeEditView *m_view;
};
