// TEventChain: one engine hook shared by several listeners, called in a defined order.
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

// A listener's handle in one chain; 0 is never handed out.
using TEventId = quint64;

// Order values for Add: lower runs first; equal values run in the order they were added.
// The engine's own helpers use these so that a plug-in can place itself before or after them.
namespace EventOrder {
constexpr int First = -100;
constexpr int Normal = 0;
constexpr int Last = 100;
} // namespace EventOrder

// Listeners run by ascending order value, then by the order they were added. Attaching never
// detaches anyone else.
//
// Listeners may add and remove listeners (themselves included) while the chain is firing: a
// removed listener is not called again, not even later in the same dispatch; an added one is
// first called by the next dispatch. The chain itself must outlive its dispatches.
//
// Consuming an event: the key and command hooks pass their key or command by reference. A
// listener consumes the event by clearing it (key 0 or a null character, command ecNone); the
// engine fires those hooks with FireUntil, which asks its predicate after every listener and
// skips the later listeners once the event is consumed. The engine then acts on what is left.
template <typename... Args>
class TEventChain
{
public:
    using TListener = std::function<void(Args...)>;

    TEventChain() = default;
    // Ids belong to one chain: a chain is not copied.
    TEventChain(const TEventChain &) = delete;
    TEventChain &operator=(const TEventChain &) = delete;

    TEventId Add(TListener listener, int order = EventOrder::Normal)
    {
        TEntry entry{m_nextId++, order, std::move(listener)};
        ++m_live;
        if (m_depth > 0)
            m_added.push_back(std::move(entry));
        else
            Insert(std::move(entry));
        return m_nextId - 1;
    }

    // Returns false for an id that is not (or no longer) in the chain.
    bool Remove(TEventId id)
    {
        if (id == 0)
            return false;
        for (std::vector<TEntry> *list : {&m_entries, &m_added}) {
            auto it = std::find_if(list->begin(), list->end(), [id](const TEntry &e) { return e.Id == id; });
            if (it == list->end())
                continue;
            --m_live;
            if (m_depth > 0) {
                // The listener may be running right now: mark it, drop it when the dispatch ends.
                it->Id = 0;
                m_dead = true;
            } else {
                list->erase(it);
            }
            return true;
        }
        return false;
    }

    void Clear()
    {
        m_live = 0;
        if (m_depth == 0) {
            m_entries.clear();
            m_added.clear();
            return;
        }
        for (std::vector<TEntry> *list : {&m_entries, &m_added})
            for (TEntry &e : *list)
                e.Id = 0;
        m_dead = true;
    }

    bool IsEmpty() const { return m_live == 0; }
    int Count() const { return m_live; }

    void Fire(Args... args)
    {
        FireUntil([] { return false; }, args...);
    }

    // Calls the listeners in order until `consumed()` holds after one of them.
    template <typename Consumed>
    void FireUntil(const Consumed &consumed, Args... args)
    {
        TDispatch dispatch(*this);
        // Indexes, not iterators: nothing is inserted into m_entries while m_depth > 0.
        for (size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].Id == 0)
                continue;
            m_entries[i].Listener(args...);
            if (consumed())
                break;
        }
    }

private:
    struct TEntry
    {
        TEventId Id;
        int Order;
        TListener Listener;
    };

    // Counts nested dispatches; the last one to end applies what listeners added and removed.
    class TDispatch
    {
    public:
        explicit TDispatch(TEventChain &chain) : m_chain(chain) { ++m_chain.m_depth; }
        ~TDispatch()
        {
            if (--m_chain.m_depth == 0)
                m_chain.Settle();
        }
        TDispatch(const TDispatch &) = delete;
        TDispatch &operator=(const TDispatch &) = delete;

    private:
        TEventChain &m_chain;
    };

    void Insert(TEntry &&entry)
    {
        // After every entry of the same or a lower order: equal orders keep their insertion order.
        auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry.Order,
                                   [](int order, const TEntry &e) { return order < e.Order; });
        m_entries.insert(at, std::move(entry));
    }

    void Settle()
    {
        if (m_dead) {
            m_dead = false;
            const auto dead = [](const TEntry &e) { return e.Id == 0; };
            m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), dead), m_entries.end());
            m_added.erase(std::remove_if(m_added.begin(), m_added.end(), dead), m_added.end());
        }
        std::vector<TEntry> added = std::move(m_added);
        m_added.clear();
        for (TEntry &e : added)
            Insert(std::move(e));
    }

    std::vector<TEntry> m_entries; // sorted by order, then by id
    std::vector<TEntry> m_added;   // added while firing, not called until the dispatch ends
    TEventId m_nextId = 1;
    int m_live = 0;
    int m_depth = 0;
    bool m_dead = false;
};
