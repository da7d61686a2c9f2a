#include "MemorySettings.h"

std::optional<QString> MemorySettings::text(const QString& key) const
{
    const QVariant value = m_values.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<QByteArray> MemorySettings::bytes(const QString& key) const
{
    const QVariant value = m_values.value(key);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return value.toByteArray();
}

void MemorySettings::setText(const QString& key, const QString& value)
{
    m_values.insert(key, value);
}

void MemorySettings::setBytes(const QString& key, const QByteArray& value)
{
    m_values.insert(key, value);
}

void MemorySettings::remove(const QString& key)
{
    m_values.remove(key);
}
