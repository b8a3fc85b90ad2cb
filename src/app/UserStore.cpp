#include "app/UserStore.h"

#include <QSettings>

namespace tv::app {

namespace {
const QString kSection = QStringLiteral("INFO/");
}

UserStore::UserStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("wdusers")))
{
}

UserStore::UserStore(const QString& path) : m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

UserStore::~UserStore() = default;

QString UserStore::readEntry(const QString& name) const
{
    return m_settings->value(kSection + name).toString();
}

bool UserStore::writeEntry(const QString& name, const QString& value)
{
    m_settings->setValue(kSection + name, value);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace tv::app
