// The Document Weight command (Ctrl+W), registered with the window through TCommandHost.
#pragma once

#include <QObject>

#include <functional>

class TCommandHost;
class TfrmDocumentWeight;

class TDocumentWeightCommand : public QObject
{
    Q_OBJECT
public:
    TDocumentWeightCommand(TCommandHost &host, QObject *parent);

    // Opens the dialog on the active document; fails with "No HTML-File opened" without one.
    void Dokument2Click();
    // Shows the dialog; modal by default, tests look at it instead.
    std::function<void(TfrmDocumentWeight &dialog)> ShowDialog;

private:
    TCommandHost &m_host;
};
