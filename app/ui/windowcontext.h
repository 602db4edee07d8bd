// What the main window needs from the outside world: stores, arguments and the dialogs' answers.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QUrl;
class TSettingsStore;
class TfrmSplash;

// What the window needs from the outside world; tests hand in temporary stores.
struct TMainWindowContext
{
    TSettingsStore *UserStore = nullptr;
    const TSettingsStore *MachineStore = nullptr;
    QString ProgramDir;
    QStringList Arguments; // command-line arguments after the program name
    TfrmSplash *Splash = nullptr;
    // Message boxes go through these so that tests can answer them; empty means a real box.
    std::function<void(int icon, const QString &caption, const QString &text)> ShowMessage;
    std::function<bool(const QString &caption, const QString &text)> AskYesNo;
    // Returns QMessageBox::Yes, No or Cancel.
    std::function<int(const QString &caption, const QString &text)> AskYesNoCancel;
    // File dialogs; an empty result means cancelled.
    std::function<QString(const QString &caption, const QString &dir, const QString &filter)> ChooseOpenFile;
    std::function<QString(const QString &caption, const QString &dir, const QString &filter)> ChooseSaveFile;
    // The single-line input box: returns whether OK was pressed.
    std::function<bool(const QString &caption, const QString &prompt, QString &value)> InputQuery;
    // The assistants' modal dialogs (the new-document dialog among them): returns QDialog::Accepted
    // or Rejected in place of running the dialog.
    std::function<int(QDialog &dialog)> ExecDialog;
    // Opens a document or address with the desktop's program for it.
    std::function<bool(const QUrl &url)> OpenUrl;
    // Starts a program without a shell.
    std::function<bool(const QString &program, const QStringList &arguments)> StartProgram;
    std::function<void()> Beep;
    // Tests drive time themselves: the one-second tick and the tag-aid delay then never fire on
    // their own; TfrmHTMLEdit::Tick() and TTagInsight::Timer2Timer() stand for them.
    bool TimersDrivenByCaller = false;
    // The recovery journal's folder (unsaved documents kept against a crash); empty: none.
    QString JournalDir;
};
