// TEditKeyStrokes: the keystroke table and its 79 default bindings.
#include "editor/core/keystrokes.h"

#include <QString>

TShortCut ShortCut(quint16 key, TShiftState shift)
{
    if (key > 0xFF)
        return 0;
    TShortCut result = key;
    if (shift & ssShift)
        result |= scShift;
    if (shift & ssCtrl)
        result |= scCtrl;
    if (shift & ssAlt)
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, quint16 &key, TShiftState &shift)
{
    key = shortCut & ~(scShift | scCtrl | scAlt);
    shift = {};
    if (shortCut & scShift)
        shift |= ssShift;
    if (shortCut & scCtrl)
        shift |= ssCtrl;
    if (shortCut & scAlt)
        shift |= ssAlt;
}

static const char kDuplicateShortcut[] = "Shortcut already exists";

void TEditKeyStroke::SetShortCut(TShortCut value)
{
    if (value != 0 && m_collection) {
        const int dup = m_collection->FindShortcut2(value, ShortCut2());
        if (dup != -1 && dup != Index())
            throw EEditKeyError(kDuplicateShortcut);
    }
    ShortCutToKey(value, m_key, m_shift);
}

void TEditKeyStroke::SetShortCut2(TShortCut value)
{
    if (value != 0 && m_collection) {
        const int dup = m_collection->FindShortcut2(ShortCut(), value);
        if (dup != -1 && dup != Index())
            throw EEditKeyError(kDuplicateShortcut);
    }
    ShortCutToKey(value, m_key2, m_shift2);
}

void TEditKeyStroke::Assign(const TEditKeyStroke &source)
{
    m_key = source.m_key;
    m_shift = source.m_shift;
    m_key2 = source.m_key2;
    m_shift2 = source.m_shift2;
    m_command = source.m_command;
}

int TEditKeyStroke::Index() const
{
    if (!m_collection)
        return -1;
    const auto &items = m_collection->m_items;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return int(i);
    return -1;
}

TEditKeyStroke &TEditKeyStrokes::Add()
{
    m_items.push_back(std::unique_ptr<TEditKeyStroke>(new TEditKeyStroke(this)));
    return *m_items.back();
}

void TEditKeyStrokes::Delete(int index)
{
    m_items.erase(m_items.begin() + index);
}

void TEditKeyStrokes::Assign(const TEditKeyStrokes &source)
{
    if (&source == this)
        return;
    Clear();
    for (const auto &item : source.m_items)
        Add().Assign(*item);
}

int TEditKeyStrokes::FindCommand(TEditorCommand command) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[size_t(i)]->Command() == command)
            return i;
    return -1;
}

int TEditKeyStrokes::FindKeycode(quint16 code, TShiftState shift) const
{
    for (int i = 0; i < Count(); ++i) {
        const TEditKeyStroke &k = *m_items[size_t(i)];
        if (k.Key() == code && k.Shift() == shift && k.Key2() == 0)
            return i;
    }
    return -1;
}

int TEditKeyStrokes::FindKeycode2(quint16 code1, TShiftState shift1, quint16 code2, TShiftState shift2) const
{
    for (int i = 0; i < Count(); ++i) {
        const TEditKeyStroke &k = *m_items[size_t(i)];
        if (k.Key() == code1 && k.Shift() == shift1 && k.Key2() == code2 && k.Shift2() == shift2)
            return i;
    }
    return -1;
}

int TEditKeyStrokes::FindShortcut(TShortCut shortCut) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[size_t(i)]->ShortCut() == shortCut)
            return i;
    return -1;
}

int TEditKeyStrokes::FindShortcut2(TShortCut shortCut, TShortCut shortCut2) const
{
    for (int i = 0; i < Count(); ++i) {
        const TEditKeyStroke &k = *m_items[size_t(i)];
        if (k.ShortCut() == shortCut && k.ShortCut2() == shortCut2)
            return i;
    }
    return -1;
}

void TEditKeyStrokes::AddKey(TEditorCommand command, quint16 key, TShiftState shift)
{
    TEditKeyStroke &k = Add();
    k.SetKey(key);
    k.SetShift(shift);
    k.SetKey2(0);
    k.SetShift2({});
    k.SetCommand(command);
}

void TEditKeyStrokes::AddKey2(TEditorCommand command, quint16 key, TShiftState shift, quint16 key2, TShiftState shift2)
{
    TEditKeyStroke &k = Add();
    k.SetKey(key);
    k.SetShift(shift);
    k.SetKey2(key2);
    k.SetShift2(shift2);
    k.SetCommand(command);
}

void TEditKeyStrokes::ResetDefaults()
{
    Clear();
    const TShiftState none;
    const TShiftState shift = ssShift;
    const TShiftState ctrl = ssCtrl;
    const TShiftState alt = ssAlt;
    const TShiftState ctrlShift = ssCtrl | ssShift;
    const TShiftState shiftAlt = ssShift | ssAlt;
    AddKey(ecUp, VK_UP, none);
    AddKey(ecSelUp, VK_UP, shift);
    AddKey(ecScrollUp, VK_UP, ctrl);
    AddKey(ecDown, VK_DOWN, none);
    AddKey(ecSelDown, VK_DOWN, shift);
    AddKey(ecScrollDown, VK_DOWN, ctrl);
    AddKey(ecLeft, VK_LEFT, none);
    AddKey(ecSelLeft, VK_LEFT, shift);
    AddKey(ecWordLeft, VK_LEFT, ctrl);
    AddKey(ecSelWordLeft, VK_LEFT, ctrlShift);
    AddKey(ecRight, VK_RIGHT, none);
    AddKey(ecSelRight, VK_RIGHT, shift);
    AddKey(ecWordRight, VK_RIGHT, ctrl);
    AddKey(ecSelWordRight, VK_RIGHT, ctrlShift);
    AddKey(ecPageDown, VK_NEXT, none);
    AddKey(ecSelPageDown, VK_NEXT, shift);
    AddKey(ecPageBottom, VK_NEXT, ctrl);
    AddKey(ecSelPageBottom, VK_NEXT, ctrlShift);
    AddKey(ecPageUp, VK_PRIOR, none);
    AddKey(ecSelPageUp, VK_PRIOR, shift);
    AddKey(ecPageTop, VK_PRIOR, ctrl);
    AddKey(ecSelPageTop, VK_PRIOR, ctrlShift);
    AddKey(ecLineStart, VK_HOME, none);
    AddKey(ecSelLineStart, VK_HOME, shift);
    AddKey(ecEditorTop, VK_HOME, ctrl);
    AddKey(ecSelEditorTop, VK_HOME, ctrlShift);
    AddKey(ecLineEnd, VK_END, none);
    AddKey(ecSelLineEnd, VK_END, shift);
    AddKey(ecEditorBottom, VK_END, ctrl);
    AddKey(ecSelEditorBottom, VK_END, ctrlShift);
    AddKey(ecToggleMode, VK_INSERT, none);
    AddKey(ecCopy, VK_INSERT, ctrl);
    AddKey(ecPaste, VK_INSERT, shift);
    AddKey(ecDeleteChar, VK_DELETE, none);
    AddKey(ecCut, VK_DELETE, shift);
    AddKey(ecDeleteLastChar, VK_BACK, none);
    AddKey(ecDeleteLastWord, VK_BACK, ctrl);
    AddKey(ecUndo, VK_BACK, alt);
    AddKey(ecRedo, VK_BACK, shiftAlt);
    AddKey(ecLineBreak, VK_RETURN, none);
    AddKey(ecSelectAll, 'A', ctrl);
    AddKey(ecCopy, 'C', ctrl);
    AddKey(ecBlockIndent, 'I', ctrlShift);
    AddKey(ecLineBreak, 'M', ctrl);
    AddKey(ecInsertLine, 'N', ctrl);
    AddKey(ecDeleteWord, 'T', ctrl);
    AddKey(ecBlockUnindent, 'U', ctrlShift);
    AddKey(ecPaste, 'V', ctrl);
    AddKey(ecCut, 'X', ctrl);
    AddKey(ecDeleteLine, 'Y', ctrl);
    AddKey(ecDeleteEOL, 'Y', ctrlShift);
    AddKey(ecUndo, 'Z', ctrl);
    AddKey(ecRedo, 'Z', ctrlShift);
    for (int n = 0; n <= 9; ++n)
        AddKey(TEditorCommand(ecGotoMarker0 + n), quint16('0' + n), ctrl);
    for (int n = 0; n <= 9; ++n)
        AddKey(TEditorCommand(ecSetMarker0 + n), quint16('0' + n), ctrlShift);
    AddKey(ecNormalSelect, 'N', ctrlShift);
    AddKey(ecColumnSelect, 'C', ctrlShift);
    AddKey(ecLineSelect, 'L', ctrlShift);
    AddKey(ecTab, VK_TAB, none);
    AddKey(ecShiftTab, VK_TAB, shift);
    AddKey(ecMatchBracket, 'B', ctrlShift);
}
