// The about window's texts: the product text and the list of outside components.
#pragma once

#include <QString>

namespace AboutText {

// The maker's home page and the site of the toolkit the program is built with.
inline constexpr char16_t kHomePage[] = u"https://www.quillworks.org/tagforge/";
inline constexpr char16_t kToolkitSite[] = u"https://www.qt.io/";

// The versions of what the program runs on, as the libraries report them at run time; an empty
// engine version means the program was built without the browser engine.
struct TComponentVersions
{
    QString Qt;
    QString WebEngine;
    QString Chromium;
};

// Product name and version, rights, contact, licence and warranty, faults and donations.
QString ProductText(const QString &version);
// The components and what each contributes, with thanks.
QString ComponentsText(const TComponentVersions &versions);

} // namespace AboutText
