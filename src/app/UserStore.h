// The per-user key-value store of the login users (section INFO, one entry per user name).
// QSettings is the medium: on Windows it is the registry key Software\wdusers itself.
#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace tv::app {

class UserStore {
public:
    /// The current user's store.
    UserStore();
    /// A store kept in the INI file `path` (tests, or an installation that wants its own).
    explicit UserStore(const QString& path);
    ~UserStore();

    /// The entry's value in section INFO; empty when there is none.
    QString readEntry(const QString& name) const;
    /// False when the store could not be written.
    bool writeEntry(const QString& name, const QString& value);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace tv::app
