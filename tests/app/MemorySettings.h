#pragma once

#include "app/SettingsStore.h"

#include <QHash>
#include <QVariant>

// Settings kept in memory for one test; text and bytes are kept apart as in
// the user's defaults.
class MemorySettings final : public SettingsStore {
public:
    std::optional<QString> text(const QString& key) const override;
    std::optional<QByteArray> bytes(const QString& key) const override;
    void setText(const QString& key, const QString& value) override;
    void setBytes(const QString& key, const QByteArray& value) override;
    void remove(const QString& key) override;

    bool contains(const QString& key) const { return m_values.contains(key); }

private:
    QHash<QString, QVariant> m_values;
};
