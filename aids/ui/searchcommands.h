// TSearchCommands: the main window's find, replace, fast search and go-to commands.
#pragma once

#include "aids/core/findreplace.h"

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QComboBox;
class QWidget;
class TSearchDialog;

// What the commands need from the window; the hooks let tests answer without real boxes.
struct TSearchContext
{
    QWidget *Parent = nullptr;
    // The active document's editor; throws (the window's ENoActiveRE) when no document is open.
    std::function<TCodeEdit *()> ActiveEditor;
    // The same, or null when no document is open.
    std::function<TCodeEdit *()> CurrentEditor;
    // The window's actions by name ("Find1", "FindNext1", "Replace1", "GotoLine1", "GotoChar1").
    std::function<QAction *(const QString &name)> Action;
    // The fast-search box on the toolbar.
    QComboBox *cbxFind = nullptr;
    // Runs a command and shows a failure as a message (the application's error handler).
    std::function<void(const std::function<void()> &command)> RunGuarded;
    // Empty: QApplication::beep.
    std::function<void()> Beep;
    // The platform's input query; returns false when cancelled. Empty: QInputDialog.
    std::function<bool(const QString &caption, const QString &prompt, QString &value)> InputQuery;
};

class TSearchCommands : public QObject
{
    Q_OBJECT
public:
    // Creates both dialogs and the fast-search button, and connects the actions and cbxFind.
    explicit TSearchCommands(const TSearchContext &context, QObject *parent = nullptr);

    TSearchDialog *FindDialog1() const { return m_findDialog; }
    TSearchDialog *ReplaceDialog1() const { return m_replaceDialog; }
    // The fast-search button beside cbxFind.
    QAction *btnFind() const { return m_btnFind; }

    // Searches the active editor (see FindReplace::FindText); a hit is selected.
    bool FindText(const QString &text, TSynSearchOptions options);

    void Find1Click();
    void Replace1Click();
    void FindNext1Click();
    void btnFindClick();
    // Enter in cbxFind: the text joins the history, then the fast search runs.
    void cbxFindEnter();
    // 1: go to line, 2: go to character.
    void GotoClick(int number);
    void FindDialog1Find(TSearchDialog *sender);
    void ReplaceDialog1Replace(bool all);

    // The enabling rows of these commands: on while the document holds text.
    void UpdateControls(const TCodeEdit *editor);

protected:
    // Enter in cbxFind (the box or its line edit, whichever receives it) runs cbxFindEnter once.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Beep() const;
    void ShowDialog(TSearchDialog *dialog);
    void Guarded(const std::function<void()> &command) const;

    TSearchContext m_context;
    TSearchDialog *m_findDialog = nullptr;
    TSearchDialog *m_replaceDialog = nullptr;
    QAction *m_btnFind = nullptr;
};
