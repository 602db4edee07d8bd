// The embedded browser: a web view behind the few operations the program needs.
#pragma once

#include <QUrl>
#include <QWidget>

class QWebEngineView;
class QWebEngineProfile;
class QWebEnginePage;

class TWebBrowser : public QWidget
{
    Q_OBJECT
public:
    // Returns null when no browser engine is available; the program then runs without preview.
    static TWebBrowser *Create(QWidget *parent);
    // Whether this build carries a browser engine at all.
    static bool EngineBuiltIn();
    ~TWebBrowser() override;

    void Navigate(const QUrl &url);
    void Reload();
    void GoBack();
    void GoForward();
    void Stop();
    void GoHome();
    QUrl Url() const;
    QString Title() const;
    QWebEngineView *View() const { return m_view; }

Q_SIGNALS:
    void OnNavigateComplete(const QUrl &url);
    void OnDocumentComplete(const QUrl &url, bool ok);
    void OnDownloadComplete();
    void TitleChanged(const QString &title);

private:
    explicit TWebBrowser(QWidget *parent);

    QWebEngineView *m_view = nullptr;
    QWebEngineProfile *m_profile = nullptr;
    QWebEnginePage *m_page = nullptr;
};
