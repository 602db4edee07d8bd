// Keeps a page's declared charset and the encoding its file is written in from drifting apart,
// and never lets a save replace characters its encoding cannot store without the user's word.
#pragma once

#include "app/core/documentfile.h"

class TDocumentTab;
class TfrmHTMLEdit;

class TCharsetGuard
{
public:
    explicit TCharsetGuard(TfrmHTMLEdit &window) : m_w(window) {}

    // Asked before a document is written with format: may switch the encoding (to UTF-8 for
    // characters the old one cannot store, or to the declared one) or correct the declaration
    // (one undoable change). False when the user cancels the save.
    bool PrepareSave(TDocumentTab *tab, TDocumentFormat &format);

    // Says in the status bar when the page's declaration disagrees with its file's encoding.
    void Report(TDocumentTab *tab);

private:
    // The button pressed in a question; empty when cancelled.
    QString Ask(const QString &text, const QStringList &buttons);
    bool SettleUnstorable(TDocumentTab *tab, TDocumentFormat &format);
    bool SettleDeclaration(TDocumentTab *tab, TDocumentFormat &format);

    TfrmHTMLEdit &m_w;
};
