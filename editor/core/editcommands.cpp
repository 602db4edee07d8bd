// Textual names of the editor commands, used when commands are listed by name.
#include "editor/core/editcommands.h"

namespace {
struct TCommandName
{
    TEditorCommand command;
    const char *name;
};

// clang-format off
const TCommandName kCommandNames[] = {
    {ecNone, "ecNone"}, {ecLeft, "ecLeft"}, {ecRight, "ecRight"}, {ecUp, "ecUp"}, {ecDown, "ecDown"},
    {ecWordLeft, "ecWordLeft"}, {ecWordRight, "ecWordRight"}, {ecLineStart, "ecLineStart"},
    {ecLineEnd, "ecLineEnd"}, {ecPageUp, "ecPageUp"}, {ecPageDown, "ecPageDown"},
    {ecPageLeft, "ecPageLeft"}, {ecPageRight, "ecPageRight"}, {ecPageTop, "ecPageTop"},
    {ecPageBottom, "ecPageBottom"}, {ecEditorTop, "ecEditorTop"}, {ecEditorBottom, "ecEditorBottom"},
    {ecGotoXY, "ecGotoXY"}, {ecSelLeft, "ecSelLeft"}, {ecSelRight, "ecSelRight"}, {ecSelUp, "ecSelUp"},
    {ecSelDown, "ecSelDown"}, {ecSelWordLeft, "ecSelWordLeft"}, {ecSelWordRight, "ecSelWordRight"},
    {ecSelLineStart, "ecSelLineStart"}, {ecSelLineEnd, "ecSelLineEnd"}, {ecSelPageUp, "ecSelPageUp"},
    {ecSelPageDown, "ecSelPageDown"}, {ecSelPageLeft, "ecSelPageLeft"}, {ecSelPageRight, "ecSelPageRight"},
    {ecSelPageTop, "ecSelPageTop"}, {ecSelPageBottom, "ecSelPageBottom"},
    {ecSelEditorTop, "ecSelEditorTop"}, {ecSelEditorBottom, "ecSelEditorBottom"},
    {ecSelGotoXY, "ecSelGotoXY"}, {ecSelectAll, "ecSelectAll"}, {ecDeleteLastChar, "ecDeleteLastChar"},
    {ecDeleteChar, "ecDeleteChar"}, {ecDeleteWord, "ecDeleteWord"}, {ecDeleteLastWord, "ecDeleteLastWord"},
    {ecDeleteBOL, "ecDeleteBOL"}, {ecDeleteEOL, "ecDeleteEOL"}, {ecDeleteLine, "ecDeleteLine"},
    {ecClearAll, "ecClearAll"}, {ecLineBreak, "ecLineBreak"}, {ecInsertLine, "ecInsertLine"},
    {ecChar, "ecChar"}, {ecImeStr, "ecImeStr"}, {ecUndo, "ecUndo"}, {ecRedo, "ecRedo"}, {ecCut, "ecCut"},
    {ecCopy, "ecCopy"}, {ecPaste, "ecPaste"}, {ecScrollUp, "ecScrollUp"}, {ecScrollDown, "ecScrollDown"},
    {ecScrollLeft, "ecScrollLeft"}, {ecScrollRight, "ecScrollRight"}, {ecInsertMode, "ecInsertMode"},
    {ecOverwriteMode, "ecOverwriteMode"}, {ecToggleMode, "ecToggleMode"},
    {ecBlockIndent, "ecBlockIndent"}, {ecBlockUnindent, "ecBlockUnindent"},
    {ecNormalSelect, "ecNormalSelect"}, {ecColumnSelect, "ecColumnSelect"},
    {ecLineSelect, "ecLineSelect"}, {ecTab, "ecTab"}, {ecShiftTab, "ecShiftTab"},
    {ecMatchBracket, "ecMatchBracket"}, {ecUserFirst, "ecUserFirst"},
};
// clang-format on
} // namespace

QString EditorCommandToString(TEditorCommand command)
{
    for (const TCommandName &entry : kCommandNames)
        if (entry.command == command)
            return QString::fromLatin1(entry.name);
    if (command >= ecGotoMarker0 && command <= ecGotoMarker9)
        return QStringLiteral("ecGotoMarker%1").arg(command - ecGotoMarker0);
    if (command >= ecSetMarker0 && command <= ecSetMarker9)
        return QStringLiteral("ecSetMarker%1").arg(command - ecSetMarker0);
    if (command > ecUserFirst)
        return QStringLiteral("ecUserFirst+%1").arg(command - ecUserFirst);
    return QString::number(command);
}

bool StringToEditorCommand(const QString &name, TEditorCommand &command)
{
    for (const TCommandName &entry : kCommandNames) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            command = entry.command;
            return true;
        }
    }
    for (int n = 0; n <= 9; ++n) {
        if (name.compare(QStringLiteral("ecGotoMarker%1").arg(n), Qt::CaseInsensitive) == 0) {
            command = TEditorCommand(ecGotoMarker0 + n);
            return true;
        }
        if (name.compare(QStringLiteral("ecSetMarker%1").arg(n), Qt::CaseInsensitive) == 0) {
            command = TEditorCommand(ecSetMarker0 + n);
            return true;
        }
    }
    if (name.startsWith(QLatin1String("ecUserFirst+"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int offset = name.mid(12).toInt(&ok);
        if (ok && offset >= 0 && ecUserFirst + offset <= 0xFFFF) {
            command = TEditorCommand(ecUserFirst + offset);
            return true;
        }
        return false;
    }
    bool ok = false;
    const uint number = name.toUInt(&ok);
    if (ok && number <= 0xFFFF) {
        command = TEditorCommand(number);
        return true;
    }
    return false;
}
