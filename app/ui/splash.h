// The splash window shown while the main window is being created.
#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QProgressBar;

class TfrmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);

    // Shows a start-up step and repaints at once: the event loop is not running yet.
    void SetStatus(const QString &text, int progress);
    QString StatusText() const;
    int Progress() const;

Q_SIGNALS:
    void StatusChanged(const QString &text, int progress);

private:
    QLabel *m_image1 = nullptr;
    QLabel *m_image2 = nullptr;
    QLabel *m_lblVer = nullptr;
    QLabel *m_lblStatus = nullptr;
    QProgressBar *m_progress = nullptr;
};
