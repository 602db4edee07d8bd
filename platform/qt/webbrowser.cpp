// The embedded browser: a web view behind the few operations the program needs.
#include "platform/qt/webbrowser.h"

#include <QVBoxLayout>

#ifdef TAGFORGE_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#endif

TWebBrowser *TWebBrowser::Create(QWidget *parent)
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    if (qEnvironmentVariableIsSet("TAGFORGE_NO_BROWSER"))
        return nullptr;
    return new TWebBrowser(parent);
#else
    Q_UNUSED(parent);
    return nullptr;
#endif
}

bool TWebBrowser::EngineBuiltIn()
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

TWebBrowser::TWebBrowser(QWidget *parent) : QWidget(parent)
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    // A private profile: previews leave no cookies or cache behind.
    m_profile = new QWebEngineProfile(this);
    auto *page = m_page = new QWebEnginePage(m_profile, this);
    QWebEngineSettings *s = page->settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    m_view = new QWebEngineView(this);
    m_view->setPage(page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(page, &QWebEnginePage::urlChanged, this, &TWebBrowser::OnNavigateComplete);
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        Q_EMIT OnDocumentComplete(Url(), ok);
        Q_EMIT OnDownloadComplete();
    });
    connect(page, &QWebEnginePage::titleChanged, this, &TWebBrowser::TitleChanged);
#endif
}

TWebBrowser::~TWebBrowser()
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    // The page must go before its profile.
    delete m_view;
    delete m_page;
#endif
}

void TWebBrowser::Navigate(const QUrl &url)
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    m_view->setUrl(url);
#else
    Q_UNUSED(url);
#endif
}

void TWebBrowser::Reload()
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    m_view->reload();
#endif
}

void TWebBrowser::GoBack()
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    m_view->back();
#endif
}

void TWebBrowser::GoForward()
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    m_view->forward();
#endif
}

void TWebBrowser::Stop()
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    m_view->stop();
#endif
}

void TWebBrowser::GoHome()
{
    Navigate(QUrl(QStringLiteral("about:blank")));
}

QUrl TWebBrowser::Url() const
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    return m_view->url();
#else
    return {};
#endif
}

QString TWebBrowser::Title() const
{
#ifdef TAGFORGE_HAVE_WEBENGINE
    return m_view->title();
#else
    return {};
#endif
}
