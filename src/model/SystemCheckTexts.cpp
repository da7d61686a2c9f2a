#include "model/SystemCheckTexts.h"

namespace SystemCheckTexts {

QString macOSSupportedDetail(const QString& version)
{
    return "macOS " + version + ".";
}

QString macOSLegacyDetail(const QString& version)
{
    return "macOS " + version + " legacy. Homebrew/app cask " + missingPackagesPhrase + ".";
}

QString macOSTooOldDetail(const QString& version)
{
    return "macOS " + version + " " + tooOldPhrase + ": macOS 13.";
}

QString brewNotFoundDetail()
{
    return QString::fromUtf8(brewNotFoundLead) + " Cài từ " + homebrewSite;
}

QString hostResolvedDetail()
{
    return QString("Có thể phân giải ") + formulaIndexHost + ".";
}

QString hostUnresolvedDetail()
{
    return QString("Không phân giải được ") + formulaIndexHost + ".";
}

QString freeSpaceDetail(qint64 gigabytes)
{
    return QString::number(gigabytes) + "GB trống trên /.";
}

QString userDetail(const QString& user)
{
    return "User: " + user;
}

} // namespace SystemCheckTexts
