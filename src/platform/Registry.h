// The registry: three hives of keys and values, each kept in one text file
// (docs/formats.md). Key and value names ignore letter case and keep their
// first spelling; keys and values enumerate in the order they were created.
//
// Nothing is held between calls: every read looks at the hive file (and
// re-reads it when another process replaced it), every change rewrites the
// file atomically at once. A change that cannot be saved returns false and
// is reported once, until saving works again; a hive file that cannot be
// read is set aside under a new name, reported, and the hive starts empty.
// Reports wait in a queue for the window layer (Registry::takeReports).
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

enum class Hive { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT };

enum RegType : int32_t { REG_SZ = 1, REG_DWORD = 4 };

struct RegValue {
    RegType type = REG_SZ;
    QString text;       // REG_SZ
    int32_t number = 0; // REG_DWORD

    bool operator==(const RegValue&) const = default;
};

// An opened key: a hive and a path of key names separated by "\". It stands
// for the key while the key exists; after the key is deleted every operation
// fails. A default-constructed key is the failed open: every read gives
// nothing and every change fails.
class RegKey {
public:
    RegKey() = default;
    static RegKey root(Hive hive);

    bool isValid() const { return m_valid; }
    bool exists() const;
    Hive hive() const { return m_hive; }
    // Names in their first spelling; empty for the hive's root.
    const QString& path() const { return m_path; }

    // Opens the subkey, creating the missing keys on its path.
    RegKey createKey(const QString& subKey) const;
    // Opens an existing subkey; an invalid key when it does not exist.
    RegKey openKey(const QString& subKey) const;
    // Deletes the subkey with everything below it.
    bool deleteKey(const QString& subKey) const;
    QStringList subKeyNames() const;

    // The value under the name ("" is the default value).
    std::optional<RegValue> value(const QString& name) const;
    // A value of the other type counts as missing.
    std::optional<QString> text(const QString& name) const;
    std::optional<int32_t> number(const QString& name) const;
    bool setValue(const QString& name, const RegValue& value) const;
    bool setText(const QString& name, const QString& text) const;
    bool setNumber(const QString& name, int32_t number) const;
    // False when the value does not exist.
    bool deleteValue(const QString& name) const;
    QStringList valueNames() const;

private:
    RegKey(Hive hive, QString path) : m_valid(true), m_hive(hive), m_path(std::move(path)) {}

    bool m_valid = false;
    Hive m_hive = Hive::HKEY_CURRENT_USER;
    QString m_path;
};

namespace Registry {

// The folder of the hive files: $ZORV_REGISTRY_DIR, else
// $XDG_CONFIG_HOME/zorv-editor, else ~/.config/zorv-editor.
QString folder();
QString hiveName(Hive hive);
QString hiveFile(Hive hive);
// Why the last failed operation of this process failed.
QString lastError();
// What the person should be told (a hive file that cannot be read, a save
// that failed), oldest first; taking them empties the queue. The registry
// never asks the person itself: the window layer shows these.
QStringList takeReports();
// Called after a registry call queued reports, once it let go of every lock.
// Replaces the previous listener; an empty one removes it.
void setReportListener(std::function<void()> listener);

} // namespace Registry

} // namespace platform
