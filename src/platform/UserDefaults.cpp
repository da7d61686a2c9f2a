#include "platform/UserDefaults.h"

#include <QSettings>

UserDefaults::UserDefaults()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QString::fromUtf8(organizationName),
                                             QString::fromUtf8(applicationName)))
{
}

UserDefaults::UserDefaults(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

UserDefaults::~UserDefaults() = default;
UserDefaults::UserDefaults(UserDefaults&&) noexcept = default;
UserDefaults& UserDefaults::operator=(UserDefaults&&) noexcept = default;

QString UserDefaults::location() const
{
    return m_settings->fileName();
}

bool UserDefaults::contains(const QString& key) const
{
    return m_settings->contains(key);
}

QVariant UserDefaults::value(const QString& key) const
{
    return m_settings->value(key);
}

std::optional<QString> UserDefaults::string(const QString& key) const
{
    const QVariant stored = value(key);
    if (stored.typeId() != QMetaType::QString)
        return std::nullopt;
    return stored.toString();
}

std::optional<QByteArray> UserDefaults::data(const QString& key) const
{
    const QVariant stored = value(key);
    if (stored.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return stored.toByteArray();
}

bool UserDefaults::setString(const QString& key, const QString& text)
{
    return setValue(key, text);
}

bool UserDefaults::setData(const QString& key, const QByteArray& bytes)
{
    return setValue(key, bytes);
}

bool UserDefaults::setValue(const QString& key, const QVariant& value)
{
    m_settings->setValue(key, value);
    return flush();
}

bool UserDefaults::remove(const QString& key)
{
    m_settings->remove(key);
    return flush();
}

bool UserDefaults::flush()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
