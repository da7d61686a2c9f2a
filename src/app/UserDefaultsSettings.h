#pragma once

#include "app/SettingsStore.h"
#include "platform/UserDefaults.h"

// The settings of the window: the user's standard defaults, the store that
// AppLanguage::storedDefault() reads.
class UserDefaultsSettings final : public SettingsStore {
public:
    UserDefaultsSettings() = default;
    // A store in the INI file at filePath, as UserDefaults(filePath).
    explicit UserDefaultsSettings(const QString& filePath) : m_defaults(filePath) {}

    std::optional<QString> text(const QString& key) const override;
    std::optional<QByteArray> bytes(const QString& key) const override;
    void setText(const QString& key, const QString& value) override;
    void setBytes(const QString& key, const QByteArray& value) override;
    void remove(const QString& key) override;

private:
    UserDefaults m_defaults;
};
