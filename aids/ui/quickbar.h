// The QuickBar: a dockable tool window whose tabbed pages hold the snippet buttons.
#pragma once

#include <QDockWidget>
#include <QHash>

class QComboBox;
class QLineEdit;
class QTabWidget;
class QToolButton;
class QMenu;

class TQuickBar : public QDockWidget
{
    Q_OBJECT
public:
    explicit TQuickBar(QWidget *parent = nullptr);

    QTabWidget *Pages() const { return m_pages; }
    QToolButton *Button(const QString &name) const { return m_buttons.value(name); }
    QComboBox *ScriptSelect() const { return m_scriptSelect; }
    QLineEdit *TargetEdit() const { return m_target; }
    QMenu *HeadingMenu() const { return m_headingMenu; }
    QMenu *MetaTagMenu() const { return m_metaMenu; }
    // Page widget by component name ("tabAutoDate", "tabColors", ...), for the pages that
    // other parts of the program fill.
    QWidget *Page(const QString &name) const { return m_pageWidgets.value(name); }

    // Snippet buttons stay disabled until a handler is connected.
    void SetCommandsEnabled(bool enabled);

Q_SIGNALS:
    // A button or menu item with a command number was clicked; sender is that control.
    void AnyTBBtnClick(QObject *sender, int command);

private:
    void OnScriptSelectChanged(int index);

    QTabWidget *m_pages = nullptr;
    QHash<QString, QToolButton *> m_buttons;
    QHash<QString, QWidget *> m_pageWidgets;
    QComboBox *m_scriptSelect = nullptr;
    QLineEdit *m_target = nullptr;
    QMenu *m_headingMenu = nullptr;
    QMenu *m_metaMenu = nullptr;
};
