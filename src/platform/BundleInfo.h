#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <optional>

// What an application bundle says about itself: its information property
// list (Contents/Info.plist, or Info.plist at the top of a flat bundle), and
// the values that the localisation chosen for the user overrides (the
// InfoPlist.strings table of the best-fitting ".lproj" folder). The files
// belong to other vendors and are read as untrusted input, in bounded memory
// (MappedFile: an oversized file counts as unreadable).
class BundleInfo {
public:
    // Reads the bundle folder at a local path. Nothing when the path is not a
    // folder: such a bundle cannot be read at all. A folder without a usable
    // information list gives empty values. preferredLanguages are language
    // tags in the user's order ("vi-VN", "en").
    static std::optional<BundleInfo> read(const QString& bundlePath,
                                          const QStringList& preferredLanguages = QLocale::system().uiLanguages());

    // The value under a key: the localised value when the chosen localisation
    // has one, else the information list's. An invalid QVariant when neither.
    QVariant value(const QString& key) const;
    // The information list's own value, without localisation.
    QVariant rawValue(const QString& key) const;
    // value(key) when it is text.
    std::optional<QString> string(const QString& key) const;
    // rawValue(key) when it is text.
    std::optional<QString> rawString(const QString& key) const;
    // The bundle identifier (CFBundleIdentifier) when it is text.
    std::optional<QString> identifier() const { return rawString(QStringLiteral("CFBundleIdentifier")); }
    // The name of the ".lproj" folder whose table was read ("" when none).
    const QString& localization() const { return m_localization; }

    // The localisation to use among the names of a bundle's ".lproj" folders
    // (without the extension): the first preferred language that one of them
    // serves (exactly, or by dropping region and script subtags; "_" and "-"
    // alike, letter case ignored, the old English names such as "English"
    // standing for their codes), else the development region, else "".
    static QString preferredLocalization(const QStringList& available, const QStringList& preferredLanguages,
                                         const QString& developmentRegion);

private:
    QVariantMap m_info;
    QVariantMap m_localized;
    QString m_localization;
};
