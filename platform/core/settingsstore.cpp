// A small registry-like store over an INI file: keys are paths, values keep their type.
#include "platform/core/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kStringTag = QStringLiteral("sz:");
const QString kIntegerTag = QStringLiteral("dword:");
} // namespace

TSettingsStore::TSettingsStore(const QString &iniPath, bool readOnly)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)), m_readOnly(readOnly)
{}

TSettingsStore::~TSettingsStore()
{
    if (!m_readOnly)
        m_settings->sync();
}

QString TSettingsStore::DefaultUserPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Quillworks/TagForge.conf");
}

QString TSettingsStore::DefaultMachinePath()
{
    return QStringLiteral("/etc/xdg/Quillworks/TagForge-machine.conf");
}

QString TSettingsStore::FileName() const
{
    return m_settings->fileName();
}

QString TSettingsStore::GroupOf(const QString &key)
{
    QString group = key;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    // The file already belongs to the program, so its own root key is left out of the groups.
    static const QString ownRoot = QStringLiteral("Software/Quillworks/TagForge");
    if (group.compare(ownRoot, Qt::CaseInsensitive) == 0)
        return QStringLiteral("General");
    if (group.startsWith(ownRoot + QLatin1Char('/'), Qt::CaseInsensitive))
        group = group.mid(ownRoot.size() + 1);
    return group;
}

bool TSettingsStore::KeyExists(const QString &key) const
{
    const QString group = GroupOf(key);
    if (group.isEmpty())
        return true;
    m_settings->beginGroup(group);
    const bool exists = !m_settings->childKeys().isEmpty() || !m_settings->childGroups().isEmpty();
    m_settings->endGroup();
    return exists;
}

bool TSettingsStore::OpenKey(const QString &key, bool canCreate)
{
    if (canCreate)
        RequireWritable();
    if (!canCreate && !KeyExists(key))
        return false;
    m_currentKey = GroupOf(key);
    return true;
}

void TSettingsStore::CloseKey()
{
    m_currentKey.clear();
    if (!m_readOnly)
        m_settings->sync();
}

QString TSettingsStore::FullName(const QString &name) const
{
    return m_currentKey.isEmpty() ? name : m_currentKey + QLatin1Char('/') + name;
}

void TSettingsStore::RequireOpenKey() const
{
    if (m_currentKey.isEmpty())
        throw ERegistryException(QStringLiteral("No key is open"));
}

void TSettingsStore::RequireWritable() const
{
    if (m_readOnly)
        throw ERegistryException(QStringLiteral("The store %1 is read-only").arg(FileName()));
}

bool TSettingsStore::ValueExists(const QString &name) const
{
    return !m_currentKey.isEmpty() && m_settings->contains(FullName(name));
}

QString TSettingsStore::ReadString(const QString &name) const
{
    RequireOpenKey();
    if (!m_settings->contains(FullName(name)))
        return QString();
    const QString raw = m_settings->value(FullName(name)).toString();
    if (!raw.startsWith(kStringTag))
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(name));
    return raw.mid(kStringTag.size());
}

int TSettingsStore::ReadInteger(const QString &name) const
{
    RequireOpenKey();
    if (!m_settings->contains(FullName(name)))
        throw ERegistryException(QStringLiteral("Value '%1' does not exist").arg(name));
    const QString raw = m_settings->value(FullName(name)).toString();
    bool ok = false;
    const int value = raw.startsWith(kIntegerTag) ? raw.mid(kIntegerTag.size()).toInt(&ok) : 0;
    if (!ok)
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(name));
    return value;
}

bool TSettingsStore::ReadBool(const QString &name) const
{
    return ReadInteger(name) != 0;
}

void TSettingsStore::WriteString(const QString &name, const QString &value)
{
    RequireOpenKey();
    RequireWritable();
    m_settings->setValue(FullName(name), kStringTag + value);
}

void TSettingsStore::WriteInteger(const QString &name, int value)
{
    RequireOpenKey();
    RequireWritable();
    m_settings->setValue(FullName(name), kIntegerTag + QString::number(value));
}

void TSettingsStore::WriteBool(const QString &name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

bool TSettingsStore::DeleteValue(const QString &name)
{
    RequireOpenKey();
    RequireWritable();
    if (!m_settings->contains(FullName(name)))
        return false;
    m_settings->remove(FullName(name));
    return true;
}

void TSettingsStore::StartAfresh()
{
    if (m_readOnly)
        return;
    const QString path = FileName();
    m_settings.reset();
    QFile::remove(path);
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    m_currentKey.clear();
}

bool TSettingsStore::Flush()
{
    if (m_readOnly)
        return true;
    if (!QDir().mkpath(QFileInfo(FileName()).absolutePath()))
        return false;
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
