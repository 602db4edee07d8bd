// The about window's texts.
#include "prefs/core/abouttext.h"

namespace AboutText {

QString ProductText(const QString &version)
{
    const QString home = QString::fromUtf16(kHomePage);
    return QStringLiteral("TagForge %1\n"
                          "An editor for hand-written HTML.\n"
                          "\n"
                          "Copyright (c) Quillworks. All rights reserved.\n"
                          "Home page: %2\n"
                          "\n"
                          "LICENCE\n"
                          "TagForge is freeware: you may use it at no charge, privately and at work, "
                          "and pass on unchanged copies of it to others, as long as no fee is asked for it.\n"
                          "\n"
                          "NO WARRANTY\n"
                          "TagForge is provided as it is, without any warranty of any kind, express or "
                          "implied. The whole risk of using it is yours: keep copies of your pages. In no "
                          "event shall the authors be liable for any damage or loss of data arising from "
                          "its use.\n"
                          "\n"
                          "FAULTS\n"
                          "If you find a fault, please report it through the home page: say what you did, "
                          "what you expected, what happened, and add the page when you can. The version "
                          "above and the list under Components help us find it.\n"
                          "\n"
                          "DONATIONS\n"
                          "TagForge stays free. If it saves you time and you want to support its "
                          "development, the home page says how you can donate.")
        .arg(version, home);
}

QString ComponentsText(const TComponentVersions &versions)
{
    QString engine;
    if (versions.WebEngine.isEmpty())
        engine = QStringLiteral("- Browser engine: not built into this copy; pages are previewed in an outside "
                                "browser.\n");
    else
        engine = QStringLiteral("- Qt WebEngine %1, on Chromium %2: the preview and the browser pane.\n")
                     .arg(versions.WebEngine, versions.Chromium.isEmpty() ? QStringLiteral("?") : versions.Chromium);
    return QStringLiteral("TagForge is built with these outside components:\n"
                          "\n"
                          "- Qt %1 (The Qt Company and the Qt Project): windows, menus, toolbars, dialogs, "
                          "the file lists and settings.\n"
                          "%2"
                          "- Qt's image readers, with the Independent JPEG Group's libjpeg for JPEG files: the "
                          "pictures of the explorer, the image browser and the image viewer.\n"
                          "\n"
                          "The source editor and its HTML colouring are TagForge's own.\n"
                          "\n"
                          "Many thanks to the authors of these components.")
        .arg(versions.Qt, engine);
}

} // namespace AboutText
