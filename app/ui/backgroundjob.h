// One job at a time on a worker thread, its result handed back on the interface thread. Used for
// writes of whole documents (preview copies, backups), which must never hold up typing.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>
#include <utility>

template <typename Result>
class TBackgroundJob
{
public:
    explicit TBackgroundJob(QObject *context)
    {
        QObject::connect(&m_watcher, &QFutureWatcherBase::finished, context, [this] {
            auto done = std::exchange(m_done, {});
            if (done)
                done(m_watcher.result());
        });
    }

    bool Busy() const { return m_watcher.isRunning() || m_done; }

    // Runs work on the pool and done(result) here afterwards; refused (false) while one runs.
    // work must own what it reads: it runs while the interface thread goes on.
    bool Start(std::function<Result()> work, std::function<void(const Result &)> done)
    {
        if (Busy())
            return false;
        m_done = std::move(done);
        m_watcher.setFuture(QtConcurrent::run(std::move(work)));
        return true;
    }

    // Blocks until the running job is finished (when the program ends).
    void Wait() { m_watcher.waitForFinished(); }

private:
    QFutureWatcher<Result> m_watcher;
    std::function<void(const Result &)> m_done;
};
