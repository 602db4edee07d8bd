// The explorer page's rules.
#include "site/core/explorerrules.h"

#include "assistants/core/tagassistantcode.h"

#include <QDir>
#include <QFileInfo>

namespace Explorer {

namespace {

QString Extension(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

} // namespace

bool IsPreviewPicture(const QString &path)
{
    static const QStringList pictures{"bmp", "jpg", "jpeg", "gif", "png", "webp", "svg"};
    return pictures.contains(Extension(path));
}

bool IsInsertablePicture(const QString &path)
{
    return IsPreviewPicture(path);
}

TClickAction ClickAction(const QString &path)
{
    const QString ext = Extension(path);
    if (ext == QLatin1String("htm") || ext == QLatin1String("html"))
        return TClickAction::OpenDocument;
    return IsPreviewPicture(path) ? TClickAction::PreviewPicture : TClickAction::HidePreview;
}

const QList<TFilter> &Filters()
{
    // clang-format off
    static const QList<TFilter> filters = {
        {QStringLiteral("&All Files (*.*)"), {}},
        {QStringLiteral("&Images (*.jpg; *.jpeg; *.gif; *.bmp; *.png)"),
         {"*.jpg", "*.jpeg", "*.gif", "*.bmp", "*.png", "*.webp", "*.svg"}},
        {QStringLiteral("HTML-Files (*.htm; *.html)"), {"*.htm", "*.html"}},
        {QStringLiteral("All &Web Files (HTML and Images)"),
         {"*.jpg", "*.jpeg", "*.gif", "*.bmp", "*.png", "*.webp", "*.svg", "*.htm", "*.html"}},
    };
    // clang-format on
    return filters;
}

QString ImageTag(const QString &path)
{
    return QStringLiteral("<img src=\"") + QFileInfo(path).fileName() + QStringLiteral("\" alt=\"\">");
}

QString LinkMarkup(const QString &path, const QString &documentDir)
{
    return QStringLiteral("<a href=\"") + TagAssistant::RelativePath(path, documentDir) + QStringLiteral("\">")
           + QFileInfo(path).fileName() + QStringLiteral("</a>");
}

QList<TSpecialFolder> SpecialFolders(const QString &home, const QString &desktop, const QString &documents)
{
    const QString trash = home + QStringLiteral("/.local/share/Trash/files");
    const QString recent = home + QStringLiteral("/.local/share/recently-used.xbel");
    return {
        {QStringLiteral("&Desktop"), QFileInfo(desktop).isDir() ? desktop : home},
        {QStringLiteral("&My Computer"), QDir::rootPath()},
        {QStringLiteral("My &Documents"), QFileInfo(documents).isDir() ? documents : home},
        {QStringLiteral("&Home"), home},
        {QStringLiteral("&Recycle Bin"), QFileInfo(trash).isDir() ? trash : QString()},
        {QStringLiteral("Recent Documents"), QFileInfo::exists(recent) ? QFileInfo(recent).path() : QString()},
    };
}

QString SizeText(int width, int height)
{
    return QStringLiteral("%1 X %2").arg(width).arg(height);
}

} // namespace Explorer
