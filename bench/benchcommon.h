// What every benchmark program shares: timing N runs, memory figures and the result lines.
#pragma once

#include <QElapsedTimer>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

namespace bench {

// Every figure is measured this many times in one process. The first run is what a user meets
// (a fresh process, memory not yet taken from the system); the best shows how much of that is
// the machine's noise or the first touch of fresh memory.
constexpr int kRuns = 3;

// "--only ID" on the command line: a program that measures several figures measures only that
// one, so that each figure can have a fresh process of its own.
inline std::optional<QString> &OnlyId()
{
    static std::optional<QString> id;
    return id;
}

inline bool Wanted(const char *id)
{
    return !OnlyId() || *OnlyId() == QLatin1String(id);
}

// Takes "--only ID" out of argv (so that the positional arguments stay where they were).
inline void TakeOnlyOption(int &argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (QByteArray(argv[i]) != "--only")
            continue;
        OnlyId() = QString::fromLocal8Bit(argv[i + 1]);
        for (int k = i; k + 2 <= argc; ++k)
            argv[k] = argv[k + 2];
        argc -= 2;
        return;
    }
}

// Peak resident memory of this process so far, in MB.
inline double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // Linux reports KiB
}

// Resident memory of this process now, in MB: what it holds, as opposed to the peak.
inline double CurrentRssMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return -1;
    return double(fields.at(1).toLongLong()) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Starts the peak of PeakSinceResetMb anew at what the process holds now (Linux's clear_refs).
inline bool ResetPeakRss()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Peak resident memory since the last ResetPeakRss (VmHWM), in MB.
inline double PeakSinceResetMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0; // in kB
    }
    return -1;
}

inline double FileMb(const QString &path)
{
    return double(QFileInfo(path).size()) / 1e6;
}

inline QString FileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

// Runs `prepare` (untimed) and then `work` (timed) kRuns times; returns the first run's time in
// ms and fills `all` with every run's time.
inline double Measure(const std::function<void()> &prepare, const std::function<void()> &work,
                      QList<double> *all = nullptr)
{
    double first = -1;
    for (int run = 0; run < kRuns; ++run) {
        if (prepare)
            prepare();
        QElapsedTimer t;
        t.start();
        work();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (first < 0)
            first = ms;
        if (all)
            all->append(ms);
    }
    return first;
}

// One machine-readable result: "BENCH" and tab-separated key=value fields. bench/run.sh turns
// these lines into the table; values never hold tabs or line breaks.
class Result
{
public:
    Result(const char *id, const QString &input)
    {
        Add("id", QString::fromLatin1(id));
        Add("input", input);
    }
    Result(const Result &) = delete; // each prints its line once, when it goes
    Result &operator=(const Result &) = delete;
    Result &Add(const char *key, const QString &value)
    {
        QString v = value;
        v.replace(u'\t', u' ').replace(u'\n', u' ');
        m_fields.append(QString::fromLatin1(key) + u'=' + v);
        return *this;
    }
    Result &Add(const char *key, double value, int decimals = 3)
    {
        return Add(key, QString::number(value, 'f', decimals));
    }
    Result &Add(const char *key, qint64 value) { return Add(key, QString::number(value)); }
    Result &Add(const char *key, int value) { return Add(key, QString::number(value)); }
    // Every run, the first ("first", the figure a user meets) and the best ("best").
    Result &Runs(const QList<double> &runs)
    {
        QStringList texts;
        for (double ms : runs)
            texts.append(QString::number(ms, 'f', 3));
        Add("runs", texts.join(u','));
        if (!runs.isEmpty()) {
            Add("first", runs.first());
            Add("best", *std::min_element(runs.begin(), runs.end()));
        }
        return *this;
    }
    ~Result()
    {
        m_fields.append(QStringLiteral("rss_mb=") + QString::number(PeakRssMb(), 'f', 0));
        std::printf("BENCH\t%s\n", qPrintable(m_fields.join(u'\t')));
        std::fflush(stdout);
    }

private:
    QStringList m_fields;
};

} // namespace bench
