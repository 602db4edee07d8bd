// The colours of every editor: the user's own when picked on the Colors page, otherwise a light
// or dark scheme that follows the desktop's palette as it changes.
#include "prefs/ui/editorcolors.h"

#include "editor/ui/codeeditview.h"
#include "highlight/core/htmlsyn.h"
#include "highlight/core/storekeyguard.h"
#include "highlight/ui/highlightertokens.h"
#include "platform/core/settingsstore.h"
#include "platform/qt/commandhost.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPalette>
#include <QWidget>

namespace {

TEditorScheme DesktopArea()
{
    TEditorScheme area;
    area.Background = area.Foreground = clNone;
    area.GutterBackground = area.GutterForeground = clNone;
    area.SelectionBackground = area.SelectionForeground = clNone;
    area.RightEdge = clNone;
    return area;
}

TColor FromQColor(const QColor &color)
{
    return RGBToColor(color.red(), color.green(), color.blue());
}

} // namespace

TEditorColors::TEditorColors(TCommandHost &host, QObject *parent) : QObject(parent), m_host(host), m_area(DesktopArea())
{
    if (UserColors())
        LoadStored();
    Refresh();
    m_host.WhenEditorOpened([this](QWidget *view) { ApplyToView(view); });
    qApp->installEventFilter(this);
}

QString TEditorColors::StoreKey()
{
    return QStringLiteral("Software\\Quillworks\\TagForge\\Highlighter");
}

bool TEditorColors::UserColors() const
{
    return m_host.CurrentPreferences().Settings.UserColors;
}

bool TEditorColors::DesktopDark() const
{
    return EditorScheme::IsDark(FromQColor(QApplication::palette().color(QPalette::Window)));
}

void TEditorColors::LoadStored()
{
    TSettingsStore *store = m_host.UserStore();
    if (!store)
        return;
    // A damaged entry leaves what was read before it; the editor's own colours are read apart.
    try {
        m_host.SharedHighlighter().LoadFromRegistry(*store, StoreKey());
    } catch (const ERegistryException &) {
    }
    try {
        TStoreKeyGuard guard(*store);
        if (store->OpenKey(StoreKey(), false)) {
            THighlightAttributes area(EditorAttributeName());
            area.SetBackground(clNone);
            area.SetForeground(clNone);
            area.LoadFromRegistry(*store);
            m_area.Background = area.Background();
            m_area.Foreground = area.Foreground();
        }
    } catch (const ERegistryException &) {
    }
}

TEditorScheme TEditorColors::Current() const
{
    TEditorScheme scheme = m_area;
    const TCustomHighlighter &h = m_host.SharedHighlighter();
    for (int i = 0; i < h.GetAttribCount(); ++i) {
        const THighlightAttributes *a = h.GetAttribute(i);
        scheme.Attributes.append({a->Name(), a->Foreground(), a->Background(), a->Style()});
    }
    return scheme;
}

void TEditorColors::Refresh()
{
    TCustomHighlighter &h = m_host.SharedHighlighter();
    if (!UserColors()) {
        if (DesktopDark()) {
            m_area = EditorScheme::Dark();
            EditorScheme::ApplyAttributes(h, m_area);
            m_area.Attributes.clear();
        } else {
            m_area = DesktopArea();
            if (auto *html = qobject_cast<THTMLSyn *>(&h))
                SetupHTMLHiLiterColors(*html);
        }
    }
    for (QWidget *view : m_host.EditorViews())
        ApplyToView(view);
}

void TEditorColors::ApplyToView(QWidget *view) const
{
    // Colours left to the desktop come from the application's palette, so a later change of
    // it reaches them too.
    QPalette palette = QApplication::palette(view);
    auto set = [&palette](QPalette::ColorRole role, TColor color) {
        if (color != clNone)
            palette.setColor(role, ToQColor(color));
    };
    set(QPalette::Base, m_area.Background);
    set(QPalette::Text, m_area.Foreground);
    set(QPalette::Button, m_area.GutterBackground);
    set(QPalette::ButtonText, m_area.GutterForeground);
    set(QPalette::Highlight, m_area.SelectionBackground);
    set(QPalette::HighlightedText, m_area.SelectionForeground);
    view->setPalette(palette);
    if (auto *edit = qobject_cast<TCodeEditView *>(view))
        // A faint line on either background; the light one is the view's own.
        edit->SetRightEdgeColor(m_area.RightEdge == clNone ? QColor(0xC0, 0xC0, 0xC0) : ToQColor(m_area.RightEdge));
    view->update();
}

void TEditorColors::SetUserFlag(bool on)
{
    TPreferences prefs = m_host.CurrentPreferences();
    if (prefs.Settings.UserColors == on)
        return;
    prefs.Settings.UserColors = on;
    m_host.ApplyPreferences(prefs, m_host.ToolbarsShown());
}

bool TEditorColors::UseUserColors(const TEditorScheme &colors)
{
    TCustomHighlighter &h = m_host.SharedHighlighter();
    EditorScheme::ApplyAttributes(h, colors);
    m_area = DesktopArea();
    m_area.Background = colors.Background;
    m_area.Foreground = colors.Foreground;
    SetUserFlag(true);
    Refresh();

    TSettingsStore *store = m_host.UserStore();
    if (!store)
        return true;
    bool saved = h.SaveToRegistry(*store, StoreKey());
    {
        TStoreKeyGuard guard(*store);
        THighlightAttributes area(EditorAttributeName());
        area.SetBackground(colors.Background);
        area.SetForeground(colors.Foreground);
        saved = saved && store->OpenKey(StoreKey(), true) && area.SaveToRegistry(*store);
    }
    saved = saved && store->Flush();
    if (!saved)
        m_host.ShowMessage(QMessageBox::Warning, QStringLiteral("TagForge Options"),
                           QStringLiteral("The colours could not be stored in ") + store->FileName()
                               + QStringLiteral("; they hold until TagForge ends."));
    return saved;
}

void TEditorColors::FollowDesktop()
{
    SetUserFlag(false);
    Refresh();
}

bool TEditorColors::eventFilter(QObject *watched, QEvent *event)
{
    // The desktop changed its palette (a switch to or from dark mode among others).
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        Refresh();
    return QObject::eventFilter(watched, event);
}
