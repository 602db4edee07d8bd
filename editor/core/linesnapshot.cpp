// TLineSnapshotJob: copies lines a slice at a time and follows edits back to their first line.
#include "editor/core/linesnapshot.h"

#include "editor/core/codeedit.h"

#include <algorithm>

TLineSnapshotJob::TLineSnapshotJob(QObject *parent, int sliceLines)
    : QObject(parent), m_sliceLines(std::max(1, sliceLines))
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] { Step(); });
}

TLineSnapshotJob::~TLineSnapshotJob()
{
    Detach();
}

void TLineSnapshotJob::Start(TCodeEdit *editor, std::function<void(QStringList lines)> done)
{
    Cancel();
    if (!editor)
        return;
    m_editor = editor;
    m_done = std::move(done);
    m_lines.reserve(editor->LineCount());
    m_listener = editor->OnLinesChanged.Add([this](TCodeEdit *, int firstLine) { LinesChanged(firstLine); });
    if (!Step())
        m_timer.start();
}

bool TLineSnapshotJob::Running() const
{
    return m_editor != nullptr;
}

TCodeEdit *TLineSnapshotJob::Editor() const
{
    return m_editor;
}

void TLineSnapshotJob::Cancel()
{
    Detach();
    m_lines = QStringList();
    m_done = nullptr;
}

void TLineSnapshotJob::Detach()
{
    m_timer.stop();
    if (m_editor && m_listener)
        m_editor->OnLinesChanged.Remove(m_listener);
    m_listener = 0;
    m_editor = nullptr;
}

void TLineSnapshotJob::LinesChanged(int firstLine)
{
    // Lines before the first changed one are still as copied.
    if (firstLine < m_lines.size())
        m_lines.resize(std::max(0, firstLine));
}

bool TLineSnapshotJob::Step()
{
    if (!m_editor) {
        // The editor went away: nothing to hand over.
        Cancel();
        return false;
    }
    const TEditLines &source = m_editor->Lines();
    const int count = source.Count();
    if (m_lines.size() > count)
        m_lines.resize(count);
    const int end = int(std::min<qsizetype>(count, m_lines.size() + m_sliceLines));
    for (int i = int(m_lines.size()); i < end; ++i)
        m_lines.append(source[i]);
    if (m_lines.size() < count)
        return false;
    QStringList lines = std::move(m_lines);
    auto done = std::move(m_done);
    Cancel();
    if (done)
        done(std::move(lines));
    return true;
}
