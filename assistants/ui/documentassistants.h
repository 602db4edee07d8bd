// The assistants that work on a whole document: the body assistant, the quick start wizard and
// the new-document dialog that runs them. TDocumentAssistants binds the first two as commands.
#pragma once

#include <QObject>
#include <QString>

class TCommandHost;

namespace DocumentAssistants {

// The active document's body tag selected and read into the body assistant; OK writes the new
// tag over it (one undo step), or at the caret when the page has none.
void RunBodyAssistant(TCommandHost &host);
// The active document's head read into the quick start wizard; Finish completes the page as one
// undo step.
void RunQuickStart(TCommandHost &host);
// The new-document dialog on the active (new) document: false when cancelled. After OK,
// templateFile is the chosen template, to be loaded by the caller; it is empty when the wizard
// was chosen, which has then run the quick start wizard and the body assistant.
bool ChooseNewDocument(TCommandHost &host, QString &templateFile);

} // namespace DocumentAssistants

class TDocumentAssistants : public QObject
{
    Q_OBJECT
public:
    TDocumentAssistants(TCommandHost &host, QObject *parent);
};
