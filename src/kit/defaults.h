#pragma once

// The per-user preferences database: typed reads that tell a key that was
// never stored (std::nullopt) from a stored value, writes and removal.
// Backed by QSettings (an INI file on Linux) in the standard per-user config
// location (XDG_CONFIG_HOME, usually ~/.config/<organization>/<application>.conf),
// named after QCoreApplication's organization and application names.
//
// A stored value that cannot be read as the asked type reads as absent, so
// callers apply their "when absent" rule to it as well. Thread-safe.

#include <memory>
#include <mutex>
#include <optional>

#include <QByteArray>
#include <QString>
#include <QVariant>

class QSettings;

namespace kit {

class Defaults
{
public:
    // The preferences of the running application. Create (use) it only after
    // the organization and application names are set.
    static Defaults& standard();

    // Preferences kept in the INI file at `path` (tests, tools).
    explicit Defaults(const QString& path);
    ~Defaults();
    Defaults(const Defaults&) = delete;
    Defaults& operator=(const Defaults&) = delete;

    bool contains(const QString& key) const;
    // true/false, yes/no and numbers (non-zero is true).
    std::optional<bool> boolForKey(const QString& key) const;
    // Integers, and real numbers truncated toward zero, within int's range.
    std::optional<int> intForKey(const QString& key) const;
    // Finite numbers only.
    std::optional<double> doubleForKey(const QString& key) const;
    // Any single value written as text (numbers and booleans included); not lists.
    std::optional<QString> stringForKey(const QString& key) const;
    std::optional<QByteArray> dataForKey(const QString& key) const;
    std::optional<QVariant> valueForKey(const QString& key) const;

    // Stores `value`; an invalid (null) QVariant removes the key instead.
    // An empty key is ignored.
    void set(const QString& key, const QVariant& value);
    void remove(const QString& key);
    // Writes pending changes to disk and picks up changes made by others.
    // False when the file cannot be written or read.
    bool synchronize();

private:
    Defaults();

    mutable std::mutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace kit
