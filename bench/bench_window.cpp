// The window as users meet it: opening, typing, paging and starting, timed from the input event
// (or the process start) to the editor's next paint, on the offscreen platform.
//
//   bench_window open FILE T0          W1: launch to the first painted page and to the end of colouring
//   bench_window type FILE             W2/W4: 200 keys at the end, in the middle and at the top
//   bench_window pagedown FILE N       W3: N page-downs
//   bench_window startup T0            W5: launch with no file to the first painted window
//   bench_window limits FILE           LIM: open, colour, tree, checks and close of a very large page
//
// T0 is the launcher's CLOCK_MONOTONIC time in nanoseconds just before it started this process,
// so that loading the libraries counts. Prints "BENCH" lines (see benchcommon.h).
#include "benchcommon.h"

#include "aids/core/myrichedit.h"
#include "analysis/ui/analysiscommands.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainwindow.h"
#include "app/ui/previewcontroller.h"
#include "editor/ui/codeeditview.h"
#include "platform/core/settingsstore.h"

#include <QApplication>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QThreadPool>

#include <algorithm>
#include <ctime>
#include <memory>

namespace {

qint64 MonotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Times every event delivered from the event loop, so that a long frame can be put down to the
// event and the object that took it.
class TTimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    double WorstMs = 0;
    QString WorstWhat;
    void ResetWorst()
    {
        WorstMs = 0;
        WorstWhat.clear();
    }

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (++m_depth > 1) {
            const bool done = QApplication::notify(receiver, event);
            --m_depth;
            return done;
        }
        QElapsedTimer t;
        t.start();
        const bool done = QApplication::notify(receiver, event);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (ms > WorstMs) {
            WorstMs = ms;
            WorstWhat = QStringLiteral("%1 to %2 %3")
                            .arg(int(event->type()))
                            .arg(QString::fromLatin1(receiver->metaObject()->className()), receiver->objectName());
        }
        --m_depth;
        return done;
    }

private:
    int m_depth = 0;
};

// Notes every paint of an editor's text area.
class TPaintWatch : public QObject
{
public:
    bool Painted = false;
    qint64 Paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->parent() && qobject_cast<TCodeEditView *>(watched->parent())) {
            Painted = true;
            ++Paints;
        }
        return false;
    }
};

// Runs the event loop until an editor has painted (the paint included); false after limitMs.
bool WaitForPaint(TPaintWatch &watch, int limitMs = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!watch.Painted) {
        if (t.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

void RunEventsFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, ms - int(t.elapsed()));
}

double Percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype i = std::min<qsizetype>(values.size() - 1, qsizetype(p * double(values.size())));
    return values[i];
}

// A window as the program makes it, with settings of its own and no dialogs.
class TBenchWindow
{
public:
    explicit TBenchWindow(const QStringList &arguments)
    {
        qApp->installEventFilter(&Watch);
        m_store = std::make_unique<TSettingsStore>(m_dir.filePath(QStringLiteral("bench.conf")));
        TMainWindowContext context;
        context.UserStore = m_store.get();
        context.ProgramDir = QStringLiteral(TAGFORGE_SOURCE_DIR);
        context.Arguments = arguments;
        context.ShowMessage = [](int, const QString &, const QString &) {};
        context.AskYesNo = [](const QString &, const QString &) { return false; };
        context.AskYesNoCancel = [](const QString &, const QString &) { return int(QMessageBox::No); };
        Window = std::make_unique<TfrmHTMLEdit>(context);
    }
    ~TBenchWindow()
    {
        // Nothing is saved: the edits are the benchmark's.
        if (TDocumentTab *tab = Window->ActiveTab())
            tab->Editor()->SetModified(false);
        Window->close();
    }

    // Shows the window and waits for an editor's first paint; false when none comes.
    bool ShowAndPaint()
    {
        Window->show();
        return WaitForPaint(Watch, 60000);
    }

    TPaintWatch Watch; // before the window: it sees the window's first paint
    std::unique_ptr<TfrmHTMLEdit> Window;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TSettingsStore> m_store;
};

int Open(const QString &path, qint64 t0)
{
    TBenchWindow bench({path});
    if (!bench.ShowAndPaint())
        return 1;
    const double firstPaint = double(MonotonicNs() - t0) / 1e6;
    TMyRichEdit *editor = bench.Window->ActiveEditor();
    while (editor->RescanPending())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double coloured = double(MonotonicNs() - t0) / 1e6;
    // The tree of a large page is built on a worker: its memory counts once it is shown.
    QElapsedTimer settle;
    settle.start();
    while (bench.Window->Analysis()->TreePending() && settle.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    bench::Result("W1", bench::FileName(path))
        .Add("first_paint_ms", firstPaint, 0)
        .Add("coloured_ms", coloured, 0)
        .Add("lines", qint64(editor->LineCount()))
        .Add("file_mb", bench::FileMb(path), 1);
    return 0;
}

// Key event to painted, for keys typed with a pause between them as a person types.
QList<double> TypeKeys(TCodeEditView *view, TPaintWatch &watch, int keys)
{
    QList<double> times;
    for (int i = 0; i < keys; ++i) {
        watch.Painted = false;
        QElapsedTimer t;
        t.start();
        QTest::keyClick(view, char('a' + i % 26));
        if (!WaitForPaint(watch))
            break;
        times.append(double(t.nsecsElapsed()) / 1e6);
        RunEventsFor(30);
    }
    return times;
}

// The longest delay of a 10 ms heartbeat while nothing is typed: what the timers cost a frame.
double IdleWorstFrame(int ms)
{
    double worst = 0;
    QElapsedTimer t;
    t.start();
    qint64 last = t.nsecsElapsed();
    QTimer beat;
    beat.setInterval(10);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 now = t.nsecsElapsed();
        worst = std::max(worst, double(now - last) / 1e6 - 10);
        last = now;
    });
    beat.start();
    RunEventsFor(ms);
    return std::max(0.0, worst);
}

int Type(const QString &path)
{
    TBenchWindow bench({path});
    if (!bench.ShowAndPaint())
        return 1;
    TfrmHTMLEdit &window = *bench.Window;
    TPaintWatch &watch = bench.Watch;
    // The tree page, the preview pane and the automatic refreshes on, as a user has them.
    window.ShowSidePage(TCommandHost::TreePage);
    window.SetPreviewVisible(true);
    window.Preview()->SetUpdateSecs(1);
    window.activateWindow();
    TCodeEditView *view = window.ActiveTab()->View();
    TMyRichEdit *editor = window.ActiveEditor();
    view->setFocus();
    while (editor->RescanPending())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    RunEventsFor(1500);

    const int keys = 200;
    struct Place
    {
        const char *name;
        std::function<void()> go;
    };
    const Place places[] = {
        {"end",
         [&] {
             editor->SetCaretXY(
                 BufferCoord(int(editor->Lines()[editor->LineCount() - 1].size()) + 1, editor->LineCount()));
         }},
        // The middle of the text: of its lines, or of the one line of a minified page.
        {"middle", [&] { editor->SetCaretXY(editor->CoordOfCharPos(int(editor->TotalCharCount() / 2))); }},
        {"top", [&] { editor->SetCaretXY(BufferCoord(1, 1)); }},
    };
    const QString input = bench::FileName(path);
    for (const Place &place : places) {
        place.go();
        RunEventsFor(200);
        auto *app = static_cast<TTimedApplication *>(qApp);
        app->ResetWorst();
        const QList<double> times = TypeKeys(view, watch, keys);
        bench::Result("W2", input)
            .Add("place", QString::fromLatin1(place.name))
            .Add("keys", qint64(times.size()))
            .Add("p50_ms", Percentile(times, 0.50), 2)
            .Add("p99_ms", Percentile(times, 0.99), 2)
            .Add("max_ms", Percentile(times, 1.0), 2)
            .Add("worst_event_ms", app->WorstMs, 2)
            .Add("worst_event", app->WorstWhat);
    }
    auto *app = static_cast<TTimedApplication *>(qApp);
    app->ResetWorst();
    const double worst = IdleWorstFrame(5000);
    bench::Result("W2idle", input)
        .Add("worst_frame_ms", worst, 2)
        .Add("worst_event_ms", app->WorstMs, 2)
        .Add("worst_event", app->WorstWhat);
    return 0;
}

int PageDown(const QString &path, int screens)
{
    TBenchWindow bench({path});
    if (!bench.ShowAndPaint())
        return 1;
    TfrmHTMLEdit &window = *bench.Window;
    TPaintWatch &watch = bench.Watch;
    TCodeEditView *view = window.ActiveTab()->View();
    TMyRichEdit *editor = window.ActiveEditor();
    view->setFocus();
    editor->SetCaretXY(BufferCoord(1, 1));
    RunEventsFor(500);
    QList<double> times;
    times.reserve(screens);
    for (int i = 0; i < screens && editor->CaretY() < editor->LineCount(); ++i) {
        watch.Painted = false;
        QElapsedTimer t;
        t.start();
        QTest::keyClick(view, Qt::Key_PageDown);
        if (!WaitForPaint(watch))
            break;
        times.append(double(t.nsecsElapsed()) / 1e6);
    }
    bench::Result("W3", bench::FileName(path))
        .Add("screens", qint64(times.size()))
        .Add("top_line", qint64(editor->TopLine()))
        .Add("p50_ms", Percentile(times, 0.50), 2)
        .Add("p99_ms", Percentile(times, 0.99), 2)
        .Add("max_ms", Percentile(times, 1.0), 2);
    return 0;
}

// The longest gap between the beats of a 10 ms timer on the interface thread: how long the window
// went without answering, whatever it was doing (nested event loops still beat).
class THeartbeat
{
public:
    THeartbeat()
    {
        m_beat.setInterval(10);
        QObject::connect(&m_beat, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_worstMs = std::max(m_worstMs, double(now - m_last) / 1e6 - 10);
            m_last = now;
        });
        m_clock.start();
        m_last = m_clock.nsecsElapsed();
        m_beat.start();
    }
    // The worst gap since the last call, and the beat started afresh.
    double TakeWorstMs()
    {
        const double worst = std::max(0.0, std::max(m_worstMs, double(m_clock.nsecsElapsed() - m_last) / 1e6 - 10));
        m_worstMs = 0;
        m_last = m_clock.nsecsElapsed();
        return worst;
    }

private:
    QTimer m_beat;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    double m_worstMs = 0;
};

void RunEventsWhile(const std::function<bool()> &busy, int limitMs = 600000)
{
    QElapsedTimer t;
    t.start();
    while (busy() && t.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
}

// L-rows: a very large page opened, coloured, checked for syntax and links, and closed, each
// step started from the event loop as a user's command is; for each step its time and the
// longest the window went without answering, then the peak memory and what is left after closing.
int Limits(const QString &path)
{
    THeartbeat beat;
    bench::Result result("LIM", bench::FileName(path));
    result.Add("file_mb", bench::FileMb(path), 1);
    TBenchWindow bench({});
    if (!bench.ShowAndPaint())
        return 1;
    TfrmHTMLEdit &window = *bench.Window;
    const double baseMb = bench::CurrentRssMb();
    beat.TakeWorstMs();
    auto step = [&](const char *name, const std::function<void()> &start, const std::function<bool()> &busy) {
        QElapsedTimer t;
        t.start();
        bool started = false;
        QTimer::singleShot(0, [&] {
            start();
            started = true;
        });
        RunEventsWhile([&] { return !started || busy(); });
        result.Add((QByteArray(name) + "_s").constData(), double(t.elapsed()) / 1000, 2);
        result.Add((QByteArray(name) + "_freeze_ms").constData(), beat.TakeWorstMs(), 0);
        result.Add((QByteArray(name) + "_rss_mb").constData(), bench::CurrentRssMb(), 0);
        std::fprintf(stderr, "bench_window: %s done after %.1f s, %.0f MB\n", name, double(t.elapsed()) / 1000,
                     bench::CurrentRssMb());
    };
    step("open",
         [&] {
             try {
                 window.OpenFile(path);
             } catch (const std::exception &e) {
                 std::fprintf(stderr, "bench_window: %s\n", e.what());
                 std::exit(1);
             }
         },
         [&] { return !window.ActiveTab() || !bench.Watch.Painted; });
    step("colour", [] {}, [&] { return window.ActiveEditor()->RescanPending(); });
    step("tree", [&] { window.ShowSidePage(TCommandHost::TreePage); },
         [&] { return window.Analysis()->TreePending(); });
    step("check", [&] { window.FindAction(QStringLiteral("SyntaxCheck1"))->trigger(); },
         [&] { return window.Analysis()->CheckPending(); });
    step("links", [&] { window.FindAction(QStringLiteral("LinkCheckerlocal1"))->trigger(); },
         [&] { return window.Analysis()->CheckPending(); });
    const double openMb = bench::CurrentRssMb();
    const int tabs = window.PageControl1()->count();
    step("close",
         [&] {
             window.ActiveEditor()->SetModified(false);
             window.FindAction(QStringLiteral("Close1"))->trigger();
         },
         [&] { return window.PageControl1()->count() == tabs; });
    // The lines of a large page are freed on a worker: what is left counts once it is done.
    QElapsedTimer freeing;
    freeing.start();
    RunEventsWhile([] { return QThreadPool::globalInstance()->activeThreadCount() > 0; }, 120000);
    RunEventsFor(500);
    result.Add("freed_s", double(freeing.elapsed()) / 1000, 1);
    result.Add("base_rss_mb", baseMb, 0)
        .Add("open_rss_mb", openMb, 0)
        .Add("peak_rss_mb", bench::PeakRssMb(), 0)
        .Add("closed_rss_mb", bench::CurrentRssMb(), 0);
    return 0;
}

int Startup(qint64 t0)
{
    TBenchWindow bench({});
    if (!bench.ShowAndPaint())
        return 1;
    bench::Result("W5", QStringLiteral("-")).Add("first_paint_ms", double(MonotonicNs() - t0) / 1e6, 0);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const qint64 started = MonotonicNs();
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TTimedApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    auto t0 = [&](int index) {
        bool ok = false;
        const qint64 value = args.value(index).toLongLong(&ok);
        return ok ? value : started;
    };
    if (mode == QLatin1String("open") && args.size() >= 2)
        return Open(args[1], t0(2));
    if (mode == QLatin1String("type") && args.size() >= 2)
        return Type(args[1]);
    if (mode == QLatin1String("pagedown") && args.size() >= 2)
        return PageDown(args[1], args.value(2, QStringLiteral("10000")).toInt());
    if (mode == QLatin1String("limits") && args.size() >= 2)
        return Limits(args[1]);
    if (mode == QLatin1String("startup"))
        return Startup(t0(1));
    std::fprintf(stderr, "usage: bench_window open FILE [T0] | type FILE | pagedown FILE [N] | startup [T0] | limits FILE\n");
    return 2;
}
