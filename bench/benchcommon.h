// What every benchmark program shares: timing best of N, peak memory and the result lines.
#pragma once

#include <QElapsedTimer>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace bench {

// Every figure is the best of this many runs: the machine is shared, and the best run is the one
// least disturbed by others.
constexpr int kRuns = 3;

// Peak resident memory of this process so far, in MB.
inline double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // Linux reports KiB
}

inline double FileMb(const QString &path)
{
    return double(QFileInfo(path).size()) / 1e6;
}

inline QString FileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

// Runs `prepare` (untimed) and then `work` (timed) kRuns times; returns the best time in ms and
// fills `all` with every run's time.
inline double BestOf(const std::function<void()> &prepare, const std::function<void()> &work,
                     QList<double> *all = nullptr)
{
    double best = -1;
    for (int run = 0; run < kRuns; ++run) {
        if (prepare)
            prepare();
        QElapsedTimer t;
        t.start();
        work();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        best = best < 0 ? ms : std::min(best, ms);
        if (all)
            all->append(ms);
    }
    return best;
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
    Result &Runs(const QList<double> &runs)
    {
        QStringList texts;
        for (double ms : runs)
            texts.append(QString::number(ms, 'f', 3));
        return Add("runs", texts.join(u','));
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
