// Errors the application shows in a message box and then carries on.
#pragma once

#include <QString>
#include <stdexcept>

class EAppError : public std::runtime_error
{
public:
    explicit EAppError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// A command that needs a document found none open.
class ENoActiveRE : public EAppError
{
public:
    ENoActiveRE() : EAppError(QStringLiteral("No HTML-File opened")) {}
};
