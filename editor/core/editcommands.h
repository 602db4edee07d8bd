// Editor command numbers and their textual names.
#pragma once

#include <QString>
#include <QtGlobal>

using TEditorCommand = quint16;

inline constexpr TEditorCommand ecNone = 0;
inline constexpr TEditorCommand ecLeft = 1;
inline constexpr TEditorCommand ecRight = 2;
inline constexpr TEditorCommand ecUp = 3;
inline constexpr TEditorCommand ecDown = 4;
inline constexpr TEditorCommand ecWordLeft = 5;
inline constexpr TEditorCommand ecWordRight = 6;
inline constexpr TEditorCommand ecLineStart = 7;
inline constexpr TEditorCommand ecLineEnd = 8;
inline constexpr TEditorCommand ecPageUp = 9;
inline constexpr TEditorCommand ecPageDown = 10;
inline constexpr TEditorCommand ecPageLeft = 11;
inline constexpr TEditorCommand ecPageRight = 12;
inline constexpr TEditorCommand ecPageTop = 13;
inline constexpr TEditorCommand ecPageBottom = 14;
inline constexpr TEditorCommand ecEditorTop = 15;
inline constexpr TEditorCommand ecEditorBottom = 16;
inline constexpr TEditorCommand ecGotoXY = 17;

// Each selecting command is its moving twin plus this offset.
inline constexpr TEditorCommand ecSelection = 100;
inline constexpr TEditorCommand ecSelLeft = 101;
inline constexpr TEditorCommand ecSelRight = 102;
inline constexpr TEditorCommand ecSelUp = 103;
inline constexpr TEditorCommand ecSelDown = 104;
inline constexpr TEditorCommand ecSelWordLeft = 105;
inline constexpr TEditorCommand ecSelWordRight = 106;
inline constexpr TEditorCommand ecSelLineStart = 107;
inline constexpr TEditorCommand ecSelLineEnd = 108;
inline constexpr TEditorCommand ecSelPageUp = 109;
inline constexpr TEditorCommand ecSelPageDown = 110;
inline constexpr TEditorCommand ecSelPageLeft = 111;
inline constexpr TEditorCommand ecSelPageRight = 112;
inline constexpr TEditorCommand ecSelPageTop = 113;
inline constexpr TEditorCommand ecSelPageBottom = 114;
inline constexpr TEditorCommand ecSelEditorTop = 115;
inline constexpr TEditorCommand ecSelEditorBottom = 116;
inline constexpr TEditorCommand ecSelGotoXY = 117;
inline constexpr TEditorCommand ecSelectAll = 199;

inline constexpr TEditorCommand ecDeleteLastChar = 401;
inline constexpr TEditorCommand ecDeleteChar = 402;
inline constexpr TEditorCommand ecDeleteWord = 403;
inline constexpr TEditorCommand ecDeleteLastWord = 404;
inline constexpr TEditorCommand ecDeleteBOL = 405;
inline constexpr TEditorCommand ecDeleteEOL = 406;
inline constexpr TEditorCommand ecDeleteLine = 407;
inline constexpr TEditorCommand ecClearAll = 408;
inline constexpr TEditorCommand ecLineBreak = 409;
inline constexpr TEditorCommand ecInsertLine = 410;
inline constexpr TEditorCommand ecChar = 411;
inline constexpr TEditorCommand ecImeStr = 500;

inline constexpr TEditorCommand ecUndo = 601;
inline constexpr TEditorCommand ecRedo = 602;
inline constexpr TEditorCommand ecCut = 603;
inline constexpr TEditorCommand ecCopy = 604;
inline constexpr TEditorCommand ecPaste = 605;
inline constexpr TEditorCommand ecScrollUp = 606;
inline constexpr TEditorCommand ecScrollDown = 607;
inline constexpr TEditorCommand ecScrollLeft = 608;
inline constexpr TEditorCommand ecScrollRight = 609;
inline constexpr TEditorCommand ecInsertMode = 610;
inline constexpr TEditorCommand ecOverwriteMode = 611;
inline constexpr TEditorCommand ecToggleMode = 612;
inline constexpr TEditorCommand ecBlockIndent = 613;
inline constexpr TEditorCommand ecBlockUnindent = 614;
inline constexpr TEditorCommand ecNormalSelect = 615;
inline constexpr TEditorCommand ecColumnSelect = 616;
inline constexpr TEditorCommand ecLineSelect = 617;
inline constexpr TEditorCommand ecTab = 618;
inline constexpr TEditorCommand ecShiftTab = 619;
inline constexpr TEditorCommand ecMatchBracket = 620;

inline constexpr TEditorCommand ecGotoMarker0 = 701; // ... ecGotoMarker9 = 710
inline constexpr TEditorCommand ecGotoMarker9 = 710;
inline constexpr TEditorCommand ecSetMarker0 = 751; // ... ecSetMarker9 = 760
inline constexpr TEditorCommand ecSetMarker9 = 760;

inline constexpr TEditorCommand ecUserFirst = 1001;

// "ecLineBreak" for 409; "ecGotoMarker3" for 704; user commands as "ecUserFirst+N"; unknown numbers as digits.
QString EditorCommandToString(TEditorCommand command);
// The reverse; returns false for a name that is not a command.
bool StringToEditorCommand(const QString &name, TEditorCommand &command);
