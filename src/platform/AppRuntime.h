#pragma once

#include <QString>
#include <QVariantMap>

// Where the program keeps its files and which version it is. Locations are
// file-system paths (absolute once read, since a relative value is taken
// against the current folder at the moment of reading). Nothing here creates
// a folder or a file. Every member may be read from any thread.
namespace AppRuntime {

// The environment variables that move the program's folders.
inline constexpr const char* configDirVariable = "TAVRIN_MAC_CONFIG_DIR";
inline constexpr const char* cacheDirVariable = "TAVRIN_MAC_CACHE_DIR";
inline constexpr const char* logDirVariable = "TAVRIN_MAC_LOG_DIR";
inline constexpr const char* shortcutDirVariable = "TAVRIN_MAC_SHORTCUT_DIR";
inline constexpr const char* reportFileVariable = "TAVRIN_MAC_REPORT_FILE";

inline constexpr const char* logFileName = "tavrin-office-kit.log";
inline constexpr const char* reportFileName = "tavrin-office-kit-report.txt";

// The current user's home folder, computed once on first use and kept for
// the life of the process.
QString homeDirectory();

// home/Library/Application Support/Tavrin Devivu Kit, or TAVRIN_MAC_CONFIG_DIR.
QString appSupportDir();
// home/Library/Caches/tavrin-office-kit, or TAVRIN_MAC_CACHE_DIR.
QString cacheDir();
// (home/Library/Logs, or TAVRIN_MAC_LOG_DIR) + "tavrin-office-kit.log".
QString logFile();
// The web-link shortcut folder: home/Applications/Tavrin Devivu Kit, or
// TAVRIN_MAC_SHORTCUT_DIR.
QString shortcutDir();
// The plain-text report: TAVRIN_MAC_REPORT_FILE (a file, not a folder), else
// appSupportDir()/Reports/tavrin-office-kit-report.txt.
QString reportFile();

// The override rule: when the variable is absent, or blank after trimming
// white space and line breaks, the fallback; otherwise its untrimmed value
// with a leading tilde expanded, relative to the current folder when it is
// not absolute. Read afresh on every call.
QString envURL(const char* variable, const QString& fallback);

// Appends one path component to a folder path.
QString appendingComponent(const QString& folder, const QString& component);

// The version label: "short (build)", "short", or "dev".
QString appVersion();

// The trimmed text under a key of the application's information dictionary,
// or the empty text when the key is absent or its value is not text.
QString bundleString(const QString& key);

// The application's information dictionary: the bundle's Info.plist inside a
// macOS application bundle; elsewhere the two version keys fixed at build
// time (CFBundleShortVersionString, and CFBundleVersion when one was given).
QVariantMap infoDictionary();

// The pure forms of bundleString and appVersion over a given dictionary.
QString bundleString(const QVariantMap& info, const QString& key);
QString versionLabel(const QVariantMap& info);

} // namespace AppRuntime
