// A list of notify hooks fired in order, with an optional hook that handles their exceptions.
#include "highlight/core/notifyeventchain.h"

#include <algorithm>

TNotifyEventChain::THookId TNotifyEventChain::Add(TNotifyEvent hook)
{
    const THookId id = m_nextId++;
    m_hooks.push_back({id, std::move(hook)});
    return id;
}

bool TNotifyEventChain::Remove(THookId id)
{
    const auto it = std::find_if(m_hooks.begin(), m_hooks.end(), [id](const THook &h) { return h.id == id; });
    if (it == m_hooks.end())
        return false;
    m_hooks.erase(it);
    return true;
}

const TNotifyEventChain::THook *TNotifyEventChain::Find(THookId id) const
{
    for (const THook &h : m_hooks) {
        if (h.id == id)
            return &h;
    }
    return nullptr;
}

void TNotifyEventChain::Fire(QObject *sender)
{
    // Hooks may add or remove hooks while we run, so walk a snapshot of the ids and look each
    // one up again; a copy of the hook is called so that removing itself is harmless.
    std::vector<THookId> ids;
    ids.reserve(m_hooks.size());
    for (const THook &h : m_hooks)
        ids.push_back(h.id);

    for (const THookId id : ids) {
        const THook *hook = Find(id);
        if (!hook)
            continue;
        const TNotifyEvent call = hook->call;
        try {
            call(sender);
        } catch (...) {
            if (!OnException)
                throw;
            bool doContinue = true;
            try {
                OnException(sender, std::current_exception(), doContinue);
            } catch (...) {
                throw ENotifyEventChainError(
                    QStringLiteral("%1.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler")
                        .arg(ClassName()));
            }
            if (!doContinue)
                return;
        }
    }
}
