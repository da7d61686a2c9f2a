#include "app/UserDefaultsSettings.h"

std::optional<QString> UserDefaultsSettings::text(const QString& key) const
{
    return m_defaults.string(key);
}

std::optional<QByteArray> UserDefaultsSettings::bytes(const QString& key) const
{
    return m_defaults.data(key);
}

void UserDefaultsSettings::setText(const QString& key, const QString& value)
{
    m_defaults.setString(key, value);
}

void UserDefaultsSettings::setBytes(const QString& key, const QByteArray& value)
{
    m_defaults.setData(key, value);
}

void UserDefaultsSettings::remove(const QString& key)
{
    m_defaults.remove(key);
}
