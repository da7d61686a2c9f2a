#pragma once

#include "i18n/AppLanguage.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The small values the view model keeps between runs (the UI language, the
// report profile, the legacy report snapshot), by key. Used on the GUI thread
// only.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The value under the key only when it is stored as text.
    virtual std::optional<QString> text(const QString& key) const = 0;
    // The value under the key only when it is stored as bytes.
    virtual std::optional<QByteArray> bytes(const QString& key) const = 0;
    virtual void setText(const QString& key, const QString& value) = 0;
    virtual void setBytes(const QString& key, const QByteArray& value) = 0;
    virtual void remove(const QString& key) = 0;

    // The stored UI language: the text under AppLanguage::defaultsKey when it
    // is one of the five codes, english otherwise.
    AppLanguage language() const;
};
