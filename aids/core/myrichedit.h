// TMyRichEdit: the editor of a document tab, the engine plus the tag scanners built on it.
#pragma once

#include "editor/core/codeedit.h"

class TMyRichEdit : public TCodeEdit
{
    Q_OBJECT
public:
    using TCodeEdit::TCodeEdit;

    // The name of the tag at the caret as written (without "<"), empty when none.
    QString SelTagName() const { return m_selTagName; }
    void SetSelTagName(const QString &value) { m_selTagName = value; }
    // Set by a successful tag selection; cleared when the name at the caret is no known tag.
    bool HasSelectedTag() const { return m_hasSelectedTag; }
    void SetHasSelectedTag(bool value) { m_hasSelectedTag = value; }

    // A command that edits in several steps locks the editor: the window's change, selection and
    // exit handlers skip a locked editor, and the view is disabled. Locks nest; the last unlock
    // emits lockChanged(false), after which the command announces its change once.
    void LockEditor()
    {
        if (m_lockCount++ == 0)
            Q_EMIT lockChanged(true);
    }
    void UnlockEditor()
    {
        if (m_lockCount > 0 && --m_lockCount == 0)
            Q_EMIT lockChanged(false);
    }
    bool IsLocked() const { return m_lockCount > 0; }

    // A command that moves the selection for its own use (finding the tag at the caret) detaches
    // the window's handlers meanwhile, so tag hints do not clear the name it records. Attaching
    // again announces nothing.
    void DetachEvents() { ++m_detachCount; }
    void AttachEvents()
    {
        if (m_detachCount > 0)
            --m_detachCount;
    }
    bool EventsDetached() const { return m_detachCount > 0 || IsLocked(); }

Q_SIGNALS:
    void lockChanged(bool locked);

private:
    QString m_selTagName;
    bool m_hasSelectedTag = false;
    int m_lockCount = 0;
    int m_detachCount = 0;
};

// Detaches an editor's handlers for one scope.
class TDetachedEvents
{
public:
    explicit TDetachedEvents(TMyRichEdit &edit) : m_edit(edit) { m_edit.DetachEvents(); }
    ~TDetachedEvents() { m_edit.AttachEvents(); }
    TDetachedEvents(const TDetachedEvents &) = delete;
    TDetachedEvents &operator=(const TDetachedEvents &) = delete;

private:
    TMyRichEdit &m_edit;
};
