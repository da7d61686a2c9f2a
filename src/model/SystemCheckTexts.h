#pragma once

#include <QString>

// The fixed texts of the engine's system checks, shared by the engine, which
// writes them, and the interface texts, which recognise them to translate a
// check's name and detail. Names are keys as well as labels and are compared
// exactly; details are Vietnamese.
namespace SystemCheckTexts {

// The nine check names, in the order the engine produces the rows.
inline constexpr const char* macOSCompatibilityName = "macOS compatibility";
inline constexpr const char* cpuArchitectureName = "CPU architecture";
inline constexpr const char* homebrewName = "Homebrew";
inline constexpr const char* internetConnectionName = "Internet connection";
inline constexpr const char* xcodeCommandLineToolsName = "Xcode Command Line Tools";
inline constexpr const char* freeSpaceName = "Dung lượng trống";
inline constexpr const char* userModeName = "user mode";
inline constexpr const char* libreDevivuName = "LibreDevivu";
inline constexpr const char* onlyDevivuName = "ONLYDEVIVU";

// Homebrew's home page, its host, and the host of the formula index that the
// Internet check resolves.
inline constexpr const char* homebrewSite = "https://brew.sh";
inline constexpr const char* homebrewHost = "brew.sh";
inline constexpr const char* formulaIndexHost = "formulae.brew.sh";

// macOS compatibility: "macOS <version>." from 13 on; version 12 is legacy
// and may miss packages; older versions are too old.
QString macOSSupportedDetail(const QString& version);
QString macOSLegacyDetail(const QString& version);
QString macOSTooOldDetail(const QString& version);
inline constexpr const char* missingPackagesPhrase = "có thể thiếu package";
inline constexpr const char* tooOldMarker = "quá cũ";
inline constexpr const char* tooOldPhrase = "quá cũ. Target tối thiểu";

// Homebrew: the brew path when found, else this detail (which begins with
// brewNotFoundLead and names homebrewSite).
inline constexpr const char* brewNotFoundLead = "Chưa tìm thấy brew.";
QString brewNotFoundDetail();

// Internet connection: whether formulaIndexHost resolved.
QString hostResolvedDetail();
QString hostUnresolvedDetail();

// Xcode Command Line Tools: whether "xcode-select -p" succeeded.
inline constexpr const char* xcodeAvailableDetail = "Đã có xcode-select.";
inline constexpr const char* xcodeMissingDetail =
    "Không bắt buộc để mở app. Chỉ có thể cần khi Homebrew phải build formula từ source.";

// Free space: whole gigabytes free on "/" ("42GB trống trên /.").
QString freeSpaceDetail(qint64 gigabytes);

// User mode: "User: " and the account name ("unknown" when USER is not set),
// or the warning when running as root (which begins with rootUserLead).
inline constexpr const char* unknownUser = "unknown";
QString userDetail(const QString& user);
inline constexpr const char* rootUserLead = "Không nên chạy";
inline constexpr const char* rootUserDetail = "Không nên chạy Homebrew GUI app bằng root.";

// LibreDevivu and ONLYDEVIVU: whether the catalog entry is installed.
inline constexpr const char* installedDetail = "Đã cài.";
inline constexpr const char* notInstalledDetail = "Chưa cài.";

} // namespace SystemCheckTexts
