// The window's commands: every menu item with its caption, shortcut, icon and hint, by name and id.
#pragma once

#include "app/ui/actiontable.h"

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QSet>

#include <array>

class QAction;
class QMenuBar;

class TActionCatalog : public QObject
{
    Q_OBJECT
public:
    // Creates every command, disabled until a subsystem binds it; owner becomes their parent.
    explicit TActionCatalog(QObject *owner);

    QAction *Action(TActionId id) const { return m_table[size_t(id)]; }
    const QHash<QString, QAction *> &ByName() const { return m_byName; }
    // A key one of the commands or one of the menu bar's mnemonics answers to.
    bool ClaimsKey(QKeyCombination key, const QMenuBar *menuBar) const;

private:
    QAction *Add(const QString &name, const QString &caption, const QKeySequence &shortcut = {},
                 const QString &icon = {}, const QString &hint = {});

    std::array<QAction *, size_t(TActionId::Count)> m_table{};
    QHash<QString, QAction *> m_byName;
    mutable QSet<int> m_claimedKeys; // filled on first use, once the menu bar is complete
};
