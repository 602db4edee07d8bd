// Makes the settings store's current key on entry current again when the scope ends.
#pragma once

#include "platform/core/settingsstore.h"

// Loading and saving nest keys; the caller's key must survive that, also when a read throws.
class TStoreKeyGuard
{
public:
    explicit TStoreKeyGuard(TSettingsStore &store) : m_store(store), m_previous(store.CurrentPath()) {}
    TStoreKeyGuard(const TStoreKeyGuard &) = delete;
    TStoreKeyGuard &operator=(const TStoreKeyGuard &) = delete;
    ~TStoreKeyGuard()
    {
        if (m_previous.isEmpty())
            m_store.CloseKey();
        else
            m_store.OpenKey(m_previous, !m_store.ReadOnly());
    }

    // The key name under the key that was current on entry.
    QString SubKey(const QString &name) const
    {
        return m_previous.isEmpty() ? name : m_previous + QLatin1Char('/') + name;
    }

private:
    TSettingsStore &m_store;
    QString m_previous;
};
