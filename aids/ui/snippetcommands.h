// The QuickBar's snippet buttons, the Insert menu's snippet items, Repeat Last Action, Select Tag
// and the Tag and Style Assistants, registered with the window through TCommandHost.
#pragma once

#include "aids/core/snippetcommands.h"

#include <QObject>

#include <memory>

class TCommandHost;
class TMyRichEdit;
class TQuickBar;

class TSnippetCommands : public QObject
{
    Q_OBJECT
public:
    TSnippetCommands(TCommandHost &host, TQuickBar *quickBar, QObject *parent);
    ~TSnippetCommands() override;

    // Tests answer the prompts and dialogs themselves; null goes back to the real dialogs.
    void SetAsker(Snippets::TAsker *asker);

    // Runs the command numbered by the sender's "Tag"; the sender picks the variant of 31, 252, 255.
    void AnyTBBtnClick(QObject *sender, int command);
    // Runs the last inserted command again, with the variant it had.
    void btnRepeatClick();
    void SelectTagAtCursor();
    void btnTagAssistantClick();

private:
    class TDialogAsker;

    void Run(int command, const QString &variant);
    // The style assistant's rule, to be written over the selection; nothing when cancelled.
    Snippets::TResult StyleRule();
    TMyRichEdit &RequiredEditor() const;
    TMyRichEdit *ActiveEditor() const;
    void DisableUnbuilt();

    TCommandHost &m_host;
    TQuickBar *m_quickBar;
    std::unique_ptr<TDialogAsker> m_dialogs;
    Snippets::TAsker *m_asker;
    QString m_lastVariant;
};
