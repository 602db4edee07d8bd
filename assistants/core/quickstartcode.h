// The quick start wizard's work on a page: what its head already says, and the page completed
// from the wizard's fields.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace QuickStart {

// The document types the wizard offers, exactly as written into the page.
const QStringList &DocTypes();

struct TFields
{
    QString Title;
    QString DocType; // empty: the page's document type is left alone
    int RefreshSeconds = 0;
    QString RefreshUrl;
    QString Keywords;
    QString Description;
};

// The fields as the page has them: the title up to the first line break or "<", the document type
// from "<!doctype" to its ">", and the refresh, keywords and description of its meta tags.
// Searches ignore case.
TFields ReadPage(QStringView text);

struct TResult
{
    QString Text;
    // Where the caret goes: the empty line made inside a new body, else -1.
    qsizetype Caret = -1;
};

// The page completed. text holds the lines joined with CR LF (empty: no lines). The document type
// and the title replace those already there; each of <html>, <head>, the title, the meta tags,
// </head>, <body>, </body> and </html> that is missing is put on a line of its own where it
// belongs, so an empty page becomes the standard skeleton and a second run changes nothing but the
// document type and the title. A meta tag already there is replaced rather than doubled.
TResult Complete(const QString &text, const TFields &fields);

} // namespace QuickStart
