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

Q_SIGNALS:
    void lockChanged(bool locked);

private:
    QString m_selTagName;
    bool m_hasSelectedTag = false;
    int m_lockCount = 0;
};
