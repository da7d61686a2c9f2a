#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class QSettings;

// The user's defaults: small values kept between runs under text keys (the
// UI language, the report profile, ...). The standard store is the platform's
// own (the user defaults domain on macOS, an INI file in the user's
// configuration folder elsewhere) under fixed organisation and application
// names; a store on an explicit INI file serves tests and tools.
//
// Readers are typed: a value stored with another type reads as absent. An INI
// file keeps text and data apart, but numbers and one-element lists written
// to it read back as text in a later run.
//
// Not shared between threads: make one where it is needed.
class UserDefaults {
public:
    static constexpr const char* organizationName = "tavrin.vn";
    static constexpr const char* applicationName = "Tavrin Devivu Kit";

    // The standard defaults of the logged-in user.
    UserDefaults();
    // A store in the INI file at filePath (created on the first write).
    explicit UserDefaults(const QString& filePath);
    ~UserDefaults();

    UserDefaults(UserDefaults&&) noexcept;
    UserDefaults& operator=(UserDefaults&&) noexcept;
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    // Where the values are kept (a file path, or the defaults domain on macOS).
    QString location() const;

    bool contains(const QString& key) const;
    // The stored value as it is, of whatever type; invalid when absent.
    QVariant value(const QString& key) const;
    // The stored value only when it is text.
    std::optional<QString> string(const QString& key) const;
    // The stored value only when it is data (bytes).
    std::optional<QByteArray> data(const QString& key) const;

    // Each write is flushed at once; false when the store could not be written.
    bool setString(const QString& key, const QString& text);
    bool setData(const QString& key, const QByteArray& bytes);
    bool setValue(const QString& key, const QVariant& value);
    bool remove(const QString& key);

private:
    bool flush();

    std::unique_ptr<QSettings> m_settings;
};
