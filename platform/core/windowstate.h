// The flags the window's helpers share (typing, completion switches, scan positions), as one value
// with a change signal: helpers get this object, never references into the window.
#pragma once

#include <QObject>

struct TWindowFlags
{
    bool Typing = false;          // a character was typed; consumed by the next timer tick
    bool InsertState = true;      // the insert/overwrite indicator
    bool InsightShown = false;    // the tag completion list is open
    bool EntityDirection = false; // direction of the shared replace routine
    bool TagCompletion = true;    // typing "<" inserts "<>"
    bool TagInsight = true;       // tag completion list and hints on
    bool ShowEndTags = true;      // document tree options
    bool AutoTreeRefresh = true;
    bool ColorHiLiting = true;
    bool WordCompletion = true;
    qint32 LastSnippet = -1; // the last snippet command, -1 for none
    qint32 ScanPos = 0;      // scan positions shared by the tag scanners
    qint32 ScanEnd = 0;

    bool operator==(const TWindowFlags &) const = default;
};

class TWindowState : public QObject
{
    Q_OBJECT
public:
    explicit TWindowState(QObject *parent = nullptr) : QObject(parent) {}

    const TWindowFlags &Flags() const { return m_flags; }

    // Sets one field, e.g. Set(&TWindowFlags::Typing, true); Changed comes only on a real change.
    template <typename T>
    void Set(T TWindowFlags::*field, T value)
    {
        if (m_flags.*field == value)
            return;
        m_flags.*field = value;
        Q_EMIT Changed();
    }

Q_SIGNALS:
    void Changed();

private:
    TWindowFlags m_flags;
};
