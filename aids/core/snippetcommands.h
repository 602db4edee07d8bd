// The snippet commands behind the QuickBar buttons and the Insert menu: what each command number
// inserts, what it asks first, and where the caret goes.
#pragma once

#include <QString>

#include <cstdint>

namespace Snippets {

// What the asking commands need from the user. The window answers with its dialogs; tests answer
// from a script. Every method returns false when the user cancelled.
class TAsker
{
public:
    virtual ~TAsker() = default;
    // A single-line input box; value comes in as the initial text.
    virtual bool Input(const QString &caption, const QString &prompt, QString &value) = 0;
    // A tag assistant page (its numbers are the assistant's); code and cursorBack are its result.
    virtual bool Assistant(int page, QString &code, int &cursorBack) = 0;
    // The font dialog: a family name and a colour as 0xRRGGBB.
    virtual bool PickFont(QString &family, std::uint32_t &rgb) = 0;
    // The colour dialog, 0xRRGGBB.
    virtual bool PickColor(std::uint32_t &rgb) = 0;
    // The tag assistant on the editor's selected tag: the markup to write over it.
    virtual bool EditSelectedTag(QString &code) = 0;
    // The style assistant: the CSS rule to write over the selection. Without a dialog to show,
    // it is as if cancelled.
    virtual bool StyleRule(QString & /*rule*/) { return false; }
    // An information (or, with warning set, a warning) message.
    virtual void Message(const QString &caption, const QString &text, bool warning) = 0;
};

// What the command reads from the window besides the user's answers.
struct TContext
{
    QString Variant;        // the invoking item's variant: "I", "i", "A", "a" for 31; the caption for 252 and 255
    QString FrameTarget;    // the Frames page's target box
    int ScriptLanguage = 0; // 0 JavaScript, otherwise VBScript
    QString HomepageRef;
    QString EmailRef;
    QString TabCaption; // the active tab's caption, offered by command 254
    bool HasSelection = false;
};

enum class TPlacement {
    Nothing,                // nothing to insert (unknown number, cancelled, or a refusal shown)
    Snippet,                // the common insertion: replaces the selection, caret CursorBack before the end
    ReplaceSelection,       // replaces the selection, caret left after it, not remembered for repeat
    InsertAtSelectionStart, // the selection collapses to its start first; not remembered for repeat
    StyleAssistant,         // the caller opens the style assistant (TAsker::StyleRule) and writes its rule
};

struct TResult
{
    TPlacement Placement = TPlacement::Nothing;
    QString Text; // with CR LF line breaks
    int CursorBack = 0;
    // A fixed snippet takes a selection into its caret slot; an assistant's code already holds
    // whatever the user kept of it.
    bool WrapsSelection = true;
};

// Runs command number `command`. Asks through asker where the command asks.
TResult Run(int command, const TContext &context, TAsker &asker);

// True for the numbers that have a command.
bool IsCommand(int command);

// The 0xRRGGBB colour as "#RRGGBB", upper case.
QString HtmlColor(std::uint32_t rgb);

// The error for a loop count that is no whole number of 0 or more.
QString InvalidCountMessage(const QString &value);

} // namespace Snippets
