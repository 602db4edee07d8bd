// A small registry-like store over an INI file: keys are paths, values keep their type.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <stdexcept>

// Raised when a value is missing where one is required, or holds another type than asked for.
class ERegistryException : public std::runtime_error
{
public:
    explicit ERegistryException(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// Keys look like "Software\Quillworks\TagForge\Settings"; each maps to an INI group.
// Strings and integers are stored with a type tag ("sz:", "dword:") so that a value written
// as one type never reads back as another; booleans are integers 0 and 1.
class TSettingsStore
{
public:
    explicit TSettingsStore(const QString &iniPath, bool readOnly = false);
    ~TSettingsStore();

    // Per-user store in the config location; the machine-wide store is read-only.
    static QString DefaultUserPath();
    static QString DefaultMachinePath();

    QString FileName() const;
    bool ReadOnly() const { return m_readOnly; }

    bool KeyExists(const QString &key) const;
    // Opens key as the current key; without canCreate a missing key is not opened.
    bool OpenKey(const QString &key, bool canCreate);
    bool OpenKeyReadOnly(const QString &key) { return OpenKey(key, false); }
    void CloseKey();
    QString CurrentPath() const { return m_currentKey; }

    bool ValueExists(const QString &name) const;
    QString ReadString(const QString &name) const; // missing reads as ""
    int ReadInteger(const QString &name) const;    // missing fails
    bool ReadBool(const QString &name) const;      // missing fails

    void WriteString(const QString &name, const QString &value);
    void WriteInteger(const QString &name, int value);
    void WriteBool(const QString &name, bool value);
    bool DeleteValue(const QString &name);

    // Writes pending changes to disk; false when the file could not be written.
    bool Flush();
    // Forgets the file's content and removes it, so that what is written next replaces it
    // (its owner keeps a copy first). Read-only stores are left alone.
    void StartAfresh();

private:
    static QString GroupOf(const QString &key);
    QString FullName(const QString &name) const;
    void RequireOpenKey() const;
    void RequireWritable() const;

    std::unique_ptr<QSettings> m_settings;
    bool m_readOnly;
    QString m_currentKey;
};
