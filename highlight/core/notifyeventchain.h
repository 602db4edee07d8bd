// A list of notify hooks fired in order, with an optional hook that handles their exceptions.
#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <stdexcept>
#include <vector>

class QObject;

using TNotifyEvent = std::function<void(QObject *sender)>;

// Raised when the exception hook itself throws.
class ENotifyEventChainError : public std::runtime_error
{
public:
    explicit ENotifyEventChainError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

class TNotifyEventChain
{
public:
    using THookId = int;
    // Called with the exception of a hook; doContinue (true on entry) says whether the remaining
    // hooks still run. The exception counts as handled either way.
    using TExceptionEvent = std::function<void(QObject *sender, std::exception_ptr error, bool &doContinue)>;

    TNotifyEventChain() = default;
    TNotifyEventChain(const TNotifyEventChain &) = delete;
    TNotifyEventChain &operator=(const TNotifyEventChain &) = delete;
    virtual ~TNotifyEventChain() = default;

    // The id is what Remove() takes; ids are never reused by one chain.
    THookId Add(TNotifyEvent hook);
    bool Remove(THookId id);
    int Count() const { return int(m_hooks.size()); }

    // Calls every hook in the order added. A hook removed by an earlier one is not called;
    // one added while firing waits for the next Fire. Without OnException a hook's exception
    // propagates and the later hooks do not run.
    void Fire(QObject *sender);

    TExceptionEvent OnException;

protected:
    virtual QString ClassName() const { return QStringLiteral("TNotifyEventChain"); }

private:
    struct THook
    {
        THookId id;
        TNotifyEvent call;
    };
    const THook *Find(THookId id) const;

    std::vector<THook> m_hooks;
    THookId m_nextId = 1;
};
