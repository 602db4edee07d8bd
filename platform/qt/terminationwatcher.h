// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal, so the program can end tidily on them.
#pragma once

#include <QObject>

class QSocketNotifier;

class TTerminationWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TTerminationWatcher(QObject *parent = nullptr);
    ~TTerminationWatcher() override;

Q_SIGNALS:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
