// TLineSnapshotJob: a copy of an editor's lines for a worker thread, made in slices between events.
#pragma once

#include "editor/core/eventchain.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class TCodeEdit;

// Copying a line shares its text but touches its memory: two million lines take a tenth of a
// second and more, too long for one frame. The job copies a slice per turn of the event loop.
// An edit while it runs sends the copy back to the first changed line, so what it hands over is
// always one state of the document: the state when the last slice was copied.
class TLineSnapshotJob : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultSliceLines = 50000;

    explicit TLineSnapshotJob(QObject *parent = nullptr, int sliceLines = DefaultSliceLines);
    ~TLineSnapshotJob() override;

    // Starts a copy of editor's lines, dropping one under way. A document of one slice or less is
    // copied at once: done runs before Start returns. done is not called when the copy is
    // cancelled or the editor goes away.
    void Start(TCodeEdit *editor, std::function<void(QStringList lines)> done);
    void Cancel();
    bool Running() const;
    // The editor being copied (null when idle).
    TCodeEdit *Editor() const;

    // Copies one slice now; true when the copy was finished and handed over. The timer calls this.
    bool Step();

private:
    void Detach();
    void LinesChanged(int firstLine);

    const int m_sliceLines;
    QPointer<TCodeEdit> m_editor;
    TEventId m_listener = 0;
    QStringList m_lines;
    std::function<void(QStringList)> m_done;
    QTimer m_timer;
};
