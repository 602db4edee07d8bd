// TEditKeyStrokes: the keystroke table mapping keys (and two-key sequences) to commands.
#pragma once

#include "editor/core/editcommands.h"
#include "editor/core/edittypes.h"

#include <memory>
#include <vector>

// Key codes of the table: the virtual-key numbers stored key tables use. The view translates Qt keys into these.
inline constexpr quint16 VK_BACK = 8;
inline constexpr quint16 VK_TAB = 9;
inline constexpr quint16 VK_RETURN = 13;
inline constexpr quint16 VK_ESCAPE = 27;
inline constexpr quint16 VK_SPACE = 32;
inline constexpr quint16 VK_PRIOR = 33; // Page Up
inline constexpr quint16 VK_NEXT = 34;  // Page Down
inline constexpr quint16 VK_END = 35;
inline constexpr quint16 VK_HOME = 36;
inline constexpr quint16 VK_LEFT = 37;
inline constexpr quint16 VK_UP = 38;
inline constexpr quint16 VK_RIGHT = 39;
inline constexpr quint16 VK_DOWN = 40;
inline constexpr quint16 VK_INSERT = 45;
inline constexpr quint16 VK_DELETE = 46;
// '0'..'9' are 48..57 and 'A'..'Z' are 65..90, as their characters.
inline constexpr quint16 VK_F1 = 112;
inline constexpr quint16 VK_SCROLL = 145;

// A toolkit short-cut value: the key in the low byte plus modifier bits (0 for keys above 255).
using TShortCut = quint16;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(quint16 key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, quint16 &key, TShiftState &shift);

class TEditKeyStrokes;

class TEditKeyStroke
{
public:
    quint16 Key() const { return m_key; }
    void SetKey(quint16 key) { m_key = key; }
    TShiftState Shift() const { return m_shift; }
    void SetShift(TShiftState shift) { m_shift = shift; }
    quint16 Key2() const { return m_key2; }
    void SetKey2(quint16 key) { m_key2 = key; }
    TShiftState Shift2() const { return m_shift2; }
    void SetShift2(TShiftState shift) { m_shift2 = shift; }
    TEditorCommand Command() const { return m_command; }
    void SetCommand(TEditorCommand command) { m_command = command; }

    TShortCut ShortCut() const { return ::ShortCut(m_key, m_shift); }
    TShortCut ShortCut2() const { return ::ShortCut(m_key2, m_shift2); }
    // Raise EEditKeyError("Shortcut already exists") when another item has the resulting
    // (ShortCut, ShortCut2) pair; a value of 0 never raises. The item is unchanged on error.
    void SetShortCut(TShortCut value);
    void SetShortCut2(TShortCut value);

    void Assign(const TEditKeyStroke &source);
    int Index() const;
    TEditKeyStrokes *Collection() const { return m_collection; }

private:
    friend class TEditKeyStrokes;
    explicit TEditKeyStroke(TEditKeyStrokes *collection) : m_collection(collection) {}

    TEditKeyStrokes *m_collection;
    quint16 m_key = 0;
    TShiftState m_shift;
    quint16 m_key2 = 0;
    TShiftState m_shift2;
    TEditorCommand m_command = ecNone;
};

class TEditKeyStrokes
{
public:
    TEditKeyStrokes() = default;
    TEditKeyStrokes(const TEditKeyStrokes &) = delete;
    TEditKeyStrokes &operator=(const TEditKeyStrokes &) = delete;

    int Count() const { return int(m_items.size()); }
    TEditKeyStroke &Items(int index) { return *m_items.at(size_t(index)); }
    const TEditKeyStroke &Items(int index) const { return *m_items.at(size_t(index)); }

    TEditKeyStroke &Add();
    void Delete(int index);
    void Clear() { m_items.clear(); }
    // Clears this table and copies every item of source.
    void Assign(const TEditKeyStrokes &source);

    int FindCommand(TEditorCommand command) const;
    int FindKeycode(quint16 code, TShiftState shift) const;
    int FindKeycode2(quint16 code1, TShiftState shift1, quint16 code2, TShiftState shift2) const;
    int FindShortcut(TShortCut shortCut) const;
    int FindShortcut2(TShortCut shortCut, TShortCut shortCut2) const;

    void AddKey(TEditorCommand command, quint16 key, TShiftState shift);
    void AddKey2(TEditorCommand command, quint16 key, TShiftState shift, quint16 key2, TShiftState shift2);
    // Clears the table and installs the 79 default bindings in their documented order.
    void ResetDefaults();

private:
    friend class TEditKeyStroke;
    std::vector<std::unique_ptr<TEditKeyStroke>> m_items;
};
