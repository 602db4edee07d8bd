// The main window's search: the find, replace and go-to commands and the shared search routines.
#include "app/ui/mainwindow.h"

#include "aids/core/findreplace.h"
#include "aids/core/myrichedit.h"
#include "aids/ui/searchcommands.h"
#include "app/ui/documenttab.h"

void TfrmHTMLEdit::ConnectSearchCommands()
{
    TSearchContext context;
    context.Parent = this;
    context.ActiveEditor = [this]() -> TCodeEdit * { return ActiveEditor(); };
    context.CurrentEditor = [this]() -> TCodeEdit * { return ActiveTab() ? ActiveTab()->Editor() : nullptr; };
    context.Action = [this](const QString &name) { return Action(name); };
    context.cbxFind = m_cbxFind;
    context.RunGuarded = [this](const std::function<void()> &command) { RunGuarded(command); };
    context.Beep = m_context.Beep;
    context.InputQuery = m_context.InputQuery;
    m_search = new TSearchCommands(context, this);
}

bool TfrmHTMLEdit::FindText(const QString &text, TSynSearchOptions options)
{
    return m_search->FindText(text, options);
}

void TfrmHTMLEdit::ReplaceInRange(int &start, int &end, const QString &search, const QString &replace)
{
    FindReplace::ReplaceInRange(*ActiveEditor(), start, end, search, replace, m_state.Flags().EntityDirection);
}
