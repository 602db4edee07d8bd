// A command host with one document, for the image tools' tests.
#pragma once

#include <QDialog>
#include <QUrl>

#include "editor/core/codeedit.h"
#include "editor/ui/codeeditview.h"
#include "highlight/core/htmlsyn.h"
#include "platform/qt/commandhost.h"

#include <QAction>
#include <QMap>
#include <QWidget>

#include <stdexcept>

class TFakeHost : public TCommandHost
{
public:
    TFakeHost() : edit(new TCodeEdit(&window)), view(new TCodeEditView(edit, &window)) {}

    QWidget *HostWindow() override { return &window; }
    QAction *FindAction(const QString &name) const override { return actions.value(name); }
    QAction *BindCommand(const QString &name, std::function<void()> handler) override
    {
        auto *action = new QAction(name, &window);
        QObject::connect(action, &QAction::triggered, [this, handler] { RunGuarded(handler); });
        actions.insert(name, action);
        return action;
    }
    void RunGuarded(const std::function<void()> &command) override
    {
        try {
            command();
        } catch (const std::exception &e) {
            errors << QString::fromUtf8(e.what());
        }
    }
    QMenu *FindMenu(const QString &) const override { return nullptr; }
    QWidget *SidePageWidget(SidePage) override { return &window; }
    void ShowSidePage(SidePage) override {}
    int CurrentSidePage() const override { return 0; }
    void WhenSidePageShown(std::function<void(SidePage)>) override {}
    QWidget *ActiveEditorView() const override { return hasDocument ? view : nullptr; }
    QWidget *RequiredEditorView() const override
    {
        if (!hasDocument)
            throw std::runtime_error("No HTML-File opened");
        return view;
    }
    QString ActiveDocumentPath() const override { return documentPath; }
    void OpenDocument(const QString &) override {}
    QString ProgramDir() const override { return QString(); }
    void ShowStatus(const QString &) override {}
    void ShowMessage(int, const QString &, const QString &text) override { errors << text; }
    bool InputQuery(const QString &, const QString &, QString &) override { return false; }
    bool AskYesNo(const QString &, const QString &text) override
    {
        questions << text;
        return answerYes;
    }
    QString ChooseOpenFile(const QString &, const QString &filter, const QString &) override
    {
        lastFilter = filter;
        return chosenFile;
    }
    QString ChooseSaveFile(const QString &, const QString &, const QString &) override { return QString(); }
    void SetStatusPanelText(int, const QString &) override {}
    bool OpenUrl(const QUrl &url) override
    {
        openedUrls << url;
        return false;
    }
    int ExecDialog(QDialog &dialog) override { return dialog.exec(); }
    void NewDocument() override {}
    QString UserSetting(const QString &) const override { return QString(); }
    void WhenSaving(std::function<void(TCodeEdit &)>) override {}
    void SetCopyTextFilter(std::function<QString(const QString &)>) override {}
    TWindowState &State() override { throw std::logic_error("no state in this host"); }
    TPreferences CurrentPreferences() const override { return prefs; }
    TToolbarsShown ToolbarsShown() const override { return toolbars; }
    void ApplyPreferences(const TPreferences &p, const TToolbarsShown &t) override
    {
        prefs = p;
        toolbars = t;
        ++applied;
    }
    TCustomHighlighter &SharedHighlighter() override { return highlighter; }
    QList<QWidget *> EditorViews() const override { return {view}; }
    void WhenEditorOpened(std::function<void(QWidget *)> listener) override { editorListeners << listener; }
    TSettingsStore *UserStore() const override { return store; }

    // The document without the line break the engine keeps after the last line.
    QString Text() const
    {
        QString text = edit->Text();
        if (text.endsWith(QStringLiteral("\r\n")))
            text.chop(2);
        return text;
    }

    QWidget window;
    THTMLSyn highlighter;
    TCodeEdit *edit;
    TCodeEditView *view;
    bool hasDocument = true;
    QString documentPath = QStringLiteral("Untitled1");
    QString chosenFile;
    QString lastFilter;
    QStringList errors;
    QStringList questions;
    bool answerYes = false;
    QList<QUrl> openedUrls;
    QMap<QString, QAction *> actions;
    TPreferences prefs;
    TToolbarsShown toolbars;
    int applied = 0;
    TSettingsStore *store = nullptr;
    QList<std::function<void(QWidget *)>> editorListeners;
};
