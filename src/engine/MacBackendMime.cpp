// Default office applications: ONLYDEVIVU as the default for the document
// extensions, set and reset with duti.

#include "engine/MacBackend.h"

#include <chrono>
#include <thread>

namespace {

// Launch Services takes a moment before a new setting reads back.
void settle()
{
    std::this_thread::sleep_for(std::chrono::seconds(1));
}

} // namespace

bool MacBackend::dutiInstalled()
{
    if (commandPath(QStringLiteral("duti")))
        return true;
    const std::optional<QString> brew = brewPath();
    if (!brew)
        return false;
    return runQuiet({*brew, QStringLiteral("list"), QStringLiteral("--formula"), QStringLiteral("duti")}) == 0;
}

namespace {

// Runs duti with the flag for every document extension; all of them run even
// when one fails. True when every run exited 0.
bool runDutiForEachExtension(MacBackend& engine, const QString& duti, const QString& flag, const QString& bundle,
                             const QString& progressText)
{
    bool succeeded = true;
    const QStringList& extensions = MacBackend::documentExtensions();
    for (qsizetype index = 0; index < extensions.size(); ++index) {
        const QString& extension = extensions.at(index);
        engine.progress(progressText + extension, 0.35 + 0.5 * static_cast<double>(index) / 6.0);
        const QString role = QStringLiteral("all");
        const QString description = QStringLiteral("duti ") + flag + QLatin1Char(' ') + bundle + QLatin1Char(' ')
            + extension + QLatin1Char(' ') + role;
        if (engine.runCommand({duti, flag, bundle, extension, role}, description) != 0)
            succeeded = false;
    }
    return succeeded;
}

} // namespace

bool MacBackend::setMimeDefaults()
{
    progress(QStringLiteral("Đang đặt ONLYDEVIVU làm app mặc định"), 0.2);
    if (!onlyofficeInstalled()) {
        log(QStringLiteral("Chưa tìm thấy ONLYDEVIVU trong /Applications. Hãy cài ONLYDEVIVU trước."));
        return false;
    }
    if (!dutiInstalled()) {
        log(QStringLiteral("Chưa có duti, đang cài duti bằng Homebrew."));
        if (!installBrewPackages({QStringLiteral("duti")}, false))
            return false;
    }
    const std::optional<QString> duti = commandPath(QStringLiteral("duti"));
    if (!duti) {
        log(QStringLiteral("Không tìm thấy lệnh duti sau khi cài."));
        return false;
    }
    const bool allSet = runDutiForEachExtension(*this, *duti, QStringLiteral("-s"), onlyofficeBundleID(),
                                                QStringLiteral("Đang đặt mặc định file ."));
    settle();
    return allSet && onlyofficeMimeIsDefault();
}

bool MacBackend::resetMimeDefaults()
{
    progress(QStringLiteral("Đang gỡ thiết lập app mặc định ONLYDEVIVU"), 0.2);
    const std::optional<QString> duti = commandPath(QStringLiteral("duti"));
    if (!duti) {
        log(QStringLiteral("Không tìm thấy duti hoặc bundle id ONLYDEVIVU để gỡ default app."));
        return false;
    }
    const bool allReset = runDutiForEachExtension(*this, *duti, QStringLiteral("-r"), onlyofficeBundleID(),
                                                  QStringLiteral("Đang reset mặc định file ."));
    settle();
    return allReset && !onlyofficeMimeIsDefault();
}
