// The colours of every editor: the user's own when picked on the Colors page, otherwise a light
// or dark scheme that follows the desktop's palette as it changes.
#pragma once

#include "highlight/core/editorscheme.h"

#include <QObject>

class QWidget;
class TCommandHost;

class TEditorColors : public QObject
{
    Q_OBJECT
public:
    // Reads the user's colours when the preferences say there are any, colours the open
    // editors and every editor opened later, and watches the desktop's palette.
    TEditorColors(TCommandHost &host, QObject *parent);

    // Where the colours are stored: one subkey per attribute, and "Editor" for the text area.
    static QString StoreKey();
    static QString EditorAttributeName() { return QStringLiteral("Editor"); }

    // The colours in effect: the text area's background and text colour (clNone: the desktop's)
    // and every attribute of the shared highlighter.
    TEditorScheme Current() const;
    bool UserColors() const;
    bool DesktopDark() const;

    // Makes colors the user's own: on every editor at once and stored with the highlighter's
    // attributes. False (and a message) when the store could not be written.
    bool UseUserColors(const TEditorScheme &colors);
    // Back to the scheme that follows the desktop.
    void FollowDesktop();
    // Colours the highlighter and every open editor for the present state.
    void Refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadStored();
    void SetUserFlag(bool on);
    void ApplyToView(QWidget *view) const;

    TCommandHost &m_host;
    // The text area's colours; clNone leaves that colour to the desktop's palette.
    TEditorScheme m_area;
};
