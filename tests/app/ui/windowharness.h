// A main window for tests: its own settings file, answers to every dialog, files in a scratch folder.
#pragma once

#include "app/ui/mainwindow.h"
#include "platform/core/settingsstore.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class TWindowHarness
{
public:
    QTemporaryDir Dir;
    std::unique_ptr<TSettingsStore> Store;
    std::unique_ptr<TfrmHTMLEdit> Window;
    QStringList Messages;         // texts of every message box shown
    QStringList StartMessages;    // those shown while the window was being created
    int Answer = QMessageBox::No; // for Yes/No/Cancel questions
    bool YesNoAnswer = true;
    QStringList Questions;      // texts of the Yes/No questions asked
    QString OpenChoice;         // what the open dialog returns
    QString OpenFilter;         // the filter the last open dialog was given
    QString SaveChoice;         // what the save dialog returns
    QStringList SaveOffered;    // where each save dialog started
    QList<QStringList> Started; // programs started: program, then arguments
    QList<QUrl> Opened;         // addresses handed to the desktop
    QStringList Inputs;         // answers to the input boxes in turn; "<cancel>" cancels one
    QStringList Prompts;        // the prompts of the input boxes shown
    QStringList Arguments;      // the command line the window starts with
    // Answers the assistants' dialogs (the new-document dialog among them); empty: each is
    // accepted as it stands, so New gives an empty document.
    std::function<int(QDialog &dialog)> DialogAnswer;
    QStringList Dialogs; // the object names of the dialogs run
    QString Root;        // the scratch folder to use instead of Dir (a child process shares its parent's)
    QString JournalDir;  // the recovery journal's folder; empty: no journal

    QString Home() const { return Root.isEmpty() ? Dir.path() : Root; }
    QString FilePath(const QString &name) const { return Home() + QLatin1Char('/') + name; }

    // A fresh window with a settings file of its own; false when it could not be shown.
    bool Start()
    {
        Store = std::make_unique<TSettingsStore>(FilePath(QStringLiteral("c%1.conf").arg(++m_configs)));
        return Open();
    }

    // Closes the window as a user would (its settings are written) and starts the program again
    // on the same settings.
    bool Restart()
    {
        Window->close();
        Window.reset();
        return Open();
    }

    bool Open()
    {
        TMainWindowContext context;
        context.UserStore = Store.get();
        // A program folder of its own, so that backups land in the scratch folder.
        const QString programDir = FilePath(QStringLiteral("program"));
        if (!QFileInfo::exists(programDir)) {
            QDir().mkpath(programDir);
            for (const char *sub : {"Data", "Templates"})
                QFile::link(QStringLiteral(TAGFORGE_SOURCE_DIR "/") + QLatin1String(sub),
                            programDir + QLatin1Char('/') + QLatin1String(sub));
        }
        context.ProgramDir = programDir;
        context.Arguments = Arguments;
        context.JournalDir = JournalDir;
        context.ExecDialog = [this](QDialog &dialog) {
            Dialogs << dialog.objectName();
            return DialogAnswer ? DialogAnswer(dialog) : int(QDialog::Accepted);
        };
        context.ShowMessage = [this](int, const QString &, const QString &text) { Messages << text; };
        context.AskYesNo = [this](const QString &, const QString &text) {
            Questions << text;
            return YesNoAnswer;
        };
        context.AskYesNoCancel = [this](const QString &, const QString &) { return Answer; };
        context.ChooseOpenFile = [this](const QString &, const QString &, const QString &filter) {
            OpenFilter = filter;
            return OpenChoice;
        };
        context.ChooseSaveFile = [this](const QString &, const QString &start, const QString &) {
            SaveOffered << start;
            return SaveChoice;
        };
        context.StartProgram = [this](const QString &program, const QStringList &args) {
            Started << (QStringList{program} + args);
            return true;
        };
        context.InputQuery = [this](const QString &, const QString &prompt, QString &value) {
            Prompts << prompt;
            const QString answer = Inputs.isEmpty() ? QStringLiteral("<cancel>") : Inputs.takeFirst();
            if (answer == QLatin1String("<cancel>"))
                return false;
            value = answer;
            return true;
        };
        context.OpenUrl = [this](const QUrl &url) {
            Opened << url;
            return true;
        };
        Window = std::make_unique<TfrmHTMLEdit>(context);
        Window->show();
        const bool shown = QTest::qWaitForWindowExposed(Window.get());
        StartMessages = Messages;
        Messages.clear();
        return shown;
    }

    void Stop()
    {
        Answer = QMessageBox::No;
        Window.reset();
        DialogAnswer = nullptr;
        Dialogs.clear();
    }

    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = FilePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }

    QByteArray Read(const QString &name) const
    {
        QFile f(FilePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private:
    int m_configs = 0;
};
