#pragma once

#include "engine/VietnameseDictionarySource.h"
#include "model/AppItem.h"
#include "model/InstallProgressUpdate.h"
#include "model/InstallStatus.h"
#include "model/InstalledMacApplication.h"
#include "model/SystemCheck.h"
#include "platform/Host.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QProcessEnvironment>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class AppLanguage;
struct DirectAppVerificationTools;

// The engine: the one object through which the system inspects and changes
// the Mac. Its operations are synchronous, may block for minutes, never throw
// (except writeReport) and explain themselves in Vietnamese log lines.
//
// Every log line ("[HH:mm:ss] " + message) is appended to the log file
// (AppRuntime::logFile()) before it is handed to the log sink. How the sinks
// are called is chosen at construction:
//   - Delivery::mainThread: asynchronously on the main thread, in the order
//     posted, never inside the log() or progress() call (the window). Calls
//     still queued when the process exits are not delivered.
//   - Delivery::synchronous: inside the log() or progress() call, on the
//     calling thread, serialised with every other line of this engine (the
//     command-line mode, which has no event loop: no line is ever lost).
// Without a QCoreApplication there is no main thread to post to, and lines are
// delivered synchronously.
//
// The engine sees the Mac through a Host (see platform/Host.h): tools and fixed
// folders are named by their Mac paths in argument vectors and log lines, and
// mapped to local paths only where a file is started, read or written.
//
// One engine may serve several threads at once (the window's view model runs
// its operations on a pool): what it holds is fixed at construction, each
// line is written and handed on under a lock, children are started under the
// runner's process-wide lock, and every operation keeps its working data to
// itself. Call the two setters before the engine is shared. Keeping two
// operations from changing the same thing on the Mac at once is the caller's
// part.
class MacBackend final {
public:
    using LogSink = std::function<void(const QString& line)>;
    using ProgressSink = std::function<void(const InstallProgressUpdate& update)>;

    enum class Delivery { mainThread, synchronous };

    // Builds the engine and prepares the log file; never fails, logs nothing.
    MacBackend(LogSink uiLog, ProgressSink uiProgress, Delivery delivery = Delivery::mainThread,
               Host host = Host::fromEnvironment());
    ~MacBackend();
    MacBackend(const MacBackend&) = delete;
    MacBackend& operator=(const MacBackend&) = delete;

    const Host& host() const { return m_host; }

    // ---- Log and progress

    // Stamps the message with the local time, appends the line to the log
    // file, then hands it to the log sink.
    void log(const QString& message);
    // Logs a progress line, then hands the message and the fraction clamped to
    // 0...1 to the progress sink.
    void progress(const QString& message, std::optional<double> fraction = std::nullopt);
    // The message of a progress line: "PROGRESS: " + message, or
    // "PROGRESS " + percent + "%: " + message with the fraction clamped and
    // truncated to a whole percent.
    static QString progressMessage(const QString& message, std::optional<double> fraction);
    // The fraction clamped to 0...1 (a fraction that is not a number is 0).
    static double clampedFraction(double fraction);

    // ---- Installed status
    InstallStatus status(const AppItem& item);
    // One entry per item, keyed by id; the ids must be unique.
    QHash<QString, InstallStatus> statuses(const QList<AppItem>& items);
    // One record per distinct install target of the compiled-in catalog, with
    // the keys "item_id", "name", "group_key", "kind" and "status".
    QList<QMap<QString, QString>> installStatusSnapshot();

    // ---- Install, remove, open
    //
    // Install and removal are judged by the entry's status read again after
    // the step (installed, or exactly missing), never by the tool alone.
    bool install(const AppItem& item);
    bool uninstall(const AppItem& item);
    // True when the opening command exited 0.
    bool open(const AppItem& item);

    // Where the office suite's Vietnamese dictionary is fetched from
    // (VietnameseDictionarySource::pinned() unless replaced).
    const VietnameseDictionarySource& vietnameseDictionarySource() const { return m_dictionarySource; }
    void setVietnameseDictionarySource(VietnameseDictionarySource source) { m_dictionarySource = std::move(source); }

    // ---- System checks and install blockers
    QList<SystemCheck> systemChecks();
    QStringList installBlockers(const QList<AppItem>& items);

    // ---- The audit
    // The inventory scan of installed applications (application bundles in
    // /Applications and ~/Applications, Homebrew leaves, installer receipts
    // no bundle claims), sorted by name. Blocks while child processes run;
    // never throws, never logs. progress is called on the scanning thread
    // with (0, total) once the rows are known and again as each row is
    // stored; isCancelled is asked on the scanning thread before each root,
    // bundle, receipt line and row: cancelled while gathering, the answer is
    // empty; cancelled before a row, it holds the rows stored so far.
    QList<InstalledMacApplication> installedAdditionalApplications(
        const std::function<void(int completed, int total)>& progress = {},
        const std::function<bool()>& isCancelled = {});
    // Writes the plain-text system report and returns its path. Absent lists
    // are computed by the writer. Throws std::system_error when the report
    // folder cannot be created or the file cannot be written or protected.
    QString writeReport(const std::optional<QList<SystemCheck>>& checks,
                        const std::optional<QList<InstalledMacApplication>>& additionalApplications,
                        AppLanguage language);

    // How many signature reads of the scan run at once: 0 (the default) for
    // about the number of processor cores, 1 for one at a time on the
    // scanning thread. The rows, their order, the progress and the
    // cancellation points are the same whatever the number. Set it before a
    // scan starts.
    void setSignatureReadThreads(int threads) { m_signatureReadThreads = threads; }
    int signatureReadThreads() const;

    // The four strings the code signature gives about a bundle.
    struct SignatureEvidence {
        QString status;
        QString team;
        QString identifier;
        QString developer;

        bool operator==(const SignatureEvidence&) const = default;
    };

    // What codesign (a description and a strict verification) and the
    // embedded provisioning profile say about the bundle at a Mac path. Never
    // fails: a missing tool or an unreadable answer shows as "invalid" and
    // "—" fields. Safe to call from several threads at once.
    SignatureEvidence signatureEvidence(const QString& bundlePath, const std::optional<QString>& copyright);
    // The TeamName of the bundle's Contents/embedded.provisionprofile, as
    // openssl unwraps it; nothing when there is no profile or no such text.
    std::optional<QString> provisioningTeamName(const QString& bundlePath);

    // ---- Engine-internal services, used by the operations above

    // The Mac path of an executable brew, looked up afresh on every call:
    // HOMEBREW_BREW_FILE as set, /opt/homebrew/bin/brew, /usr/local/bin/brew,
    // then brew on the command search path.
    std::optional<QString> brewPath();
    // The running macOS version as major.minor.patch.
    QString macOSVersionString() const;
    // The machine's hardware name ("arm64", "x86_64", ...).
    QString architectureLabel() const;

    // ---- Homebrew packages
    //
    // One logged brew run per package that needs it; a package Homebrew
    // already lists is not installed again, one it does not list is not
    // removed. Progress runs from 0.12 to 0.88 over an install and from 0.15
    // to 0.85 over a removal. Without Homebrew each logs why and is false.

    // True when every install that ran exited 0 (empty names are dropped).
    bool installBrewPackages(const QStringList& packages, bool cask);
    // The same for entries that name their own kind ("cask:x", "formula:y", "z").
    bool installMixedBrewPackages(const QStringList& entries);
    // True when every package was listed and every removal exited 0; the
    // packages are removed last first.
    bool uninstallBrewPackages(const QStringList& packages, bool cask);
    // True when every removal that ran exited 0; unlisted entries are skipped.
    bool uninstallMixedBrewPackages(const QStringList& entries);
    // "app Homebrew cask " + name, or "gói Homebrew formula " + name.
    static QString brewManagedLabel(const QString& name, bool cask);
    // "cask:x" is the cask x, "formula:y" the formula y, anything else the
    // formula named by the whole entry; exact, case-sensitive, untrimmed.
    // The flag is true for a cask.
    static std::pair<QString, bool> parseMixedBrewPackage(const QString& entry);

    // ---- Direct applications

    // The CFBundleIdentifier text of the bundle at a Mac path (an empty text
    // included); nothing when Contents/Info.plist cannot be read as a
    // dictionary or the value is not text.
    std::optional<QString> directAppBundleID(const QString& bundlePath) const;
    // The tools DirectAppVerifier runs: directAppBundleID, runQuiet and
    // runCaptureCombined of this engine.
    DirectAppVerificationTools verificationTools();

    // ---- ONLYDEVIVU detection

    // "/Applications/ONLYDEVIVU.app", "/Applications/ONLYDEVIVU Desktop
    // Editors.app", then the same two names in the home folder's Applications.
    QStringList onlyofficeAppCandidates() const;
    // Whether anything exists at one of the candidates.
    bool onlyofficeInstalled() const;
    // The first candidate's non-empty bundle identifier, else
    // "org.onlyoffice.desktopeditors".
    QString onlyofficeBundleID() const;
    // ONLYDEVIVU is installed, duti is found, and `duti -x` of each of
    // documentExtensions() names its bundle identifier.
    bool onlyofficeMimeIsDefault();
    // "doc", "docx", "xls", "xlsx", "ppt", "pptx".
    static const QStringList& documentExtensions();

    // ---- Child processes
    //
    // The first element of an argument vector names the program (a Mac path
    // or a bare command name); the others are handed to it unchanged. Every
    // child gets commandEnvironment(), shares the engine's standard input and
    // runs without a time limit. 127: the command was not found or could not
    // be started. A child ended by a signal gives 128 + the signal.

    // Logs "$ " + description, every non-empty output line (standard output
    // and standard error together, streamed as they arrive) and
    // "Hoàn tất: " + description + " (exit N)". The working folder is a local
    // path used as given; none: the engine's current folder.
    int runCommand(const QStringList& arguments, const QString& description,
                   const std::optional<QString>& currentDirectory = std::nullopt);
    // Both streams discarded; nothing logged.
    int runQuiet(const QStringList& arguments);
    // Standard output as text (standard error discarded); the empty text when
    // the command cannot be run or its output is not valid UTF-8.
    QString runCapture(const QStringList& arguments);
    // Both streams together, in the order written; otherwise as runCapture.
    QString runCaptureCombined(const QStringList& arguments);

    struct CapturedRun {
        int status = 127;
        QString output;

        bool operator==(const CapturedRun&) const = default;
    };
    // The exit status beside the standard output; 127 and "" when not run.
    CapturedRun runCaptureStatus(const QStringList& arguments);

    // The Mac path of the executable a command names: a command with "/" is a
    // path (tilde expanded, relative to the current folder when relative),
    // never searched; a bare name is searched in commandSearchPath().
    std::optional<QString> commandPath(const QString& command) const;
    // The Mac's command search path: searchPathPrefix() followed by the pieces
    // of the inherited PATH not already listed (empty pieces dropped).
    QStringList commandSearchPath() const;
    // The engine's environment with PATH rebuilt from commandSearchPath(),
    // each folder mapped to its local path.
    QProcessEnvironment commandEnvironment() const;
    // /opt/homebrew/bin, /opt/homebrew/sbin, /usr/local/bin, /usr/local/sbin,
    // /usr/bin, /bin, /usr/sbin, /sbin.
    static const QStringList& searchPathPrefix();

    // Built-in entries that are never opened: {"deja-dup", "rclone"}.
    static const QSet<QString>& blockedBuiltinIDs();

private:
    struct Sinks;

    // Appends one finished line to the log file; the failure's reason when it
    // could not be written.
    std::optional<QString> appendToLogFile(const QString& line);
    void deliverLine(const QString& line);
    void deliverFailureNotice(const QString& reason);
    void deliverProgress(const InstallProgressUpdate& update);
    void post(std::function<void()> task);

    // Installed status
    InstallStatus status(const AppItem& item, const QSet<QString>& formulas, const QSet<QString>& casks);
    bool brewList(const QString& name, bool cask);
    std::pair<QSet<QString>, QSet<QString>> installedBrewInventory();
    bool libreDevivuVietnameseDictionaryInstalled();

    // System checks
    std::pair<SystemCheck::Level, QString> macOSCompatibility() const;
    int freeDiskGB() const;

    // LibreDevivu Vietnamese dictionary
    bool installLibreDevivuVietnameseDictionary();
    std::optional<QString> libreDevivuUnopkgPath() const;

    // Direct applications
    bool installDirectApp(const AppItem& item);
    bool installDirectDMG(const QString& imagePath, const AppItem& item, const DirectInstallerSpec& installer);
    bool installDirectZIP(const QString& archivePath, const AppItem& item, const DirectInstallerSpec& installer);
    std::optional<QString> findAppBundle(const QString& folder, const QString& bundleName) const;
    bool copyDirectApp(const QString& bundlePath, const AppItem& item, const DirectInstallerSpec& installer);
    // Removes what earlier runs for the entry left when they were stopped
    // (the caller holds the entry's install lock): temporary copies of the
    // bundle in the Applications folders and the entry's mount points,
    // detached first. Nothing else is touched.
    void removeDirectLeftovers(const AppItem& item, const DirectInstallerSpec& installer);
    // Detaches the disk image at a mount point; a refusal is retried once with
    // -force. False (logged) when the image stays attached.
    bool detachDiskImage(const QString& mountPoint);
    QString preferredApplicationsDirectory() const;
    bool removeDirectApp(const AppItem& item);

    // Web-link shortcuts
    bool createShortcut(const AppItem& item);
    bool removeShortcut(const AppItem& item);

    // Default office applications
    bool dutiInstalled();
    bool setMimeDefaults();
    bool resetMimeDefaults();

    // Built-in items. Installing and removing take the entry's status when
    // the opening command fails; opening reports the command's result.
    bool openBuiltinItem(const AppItem& item, bool reportToolResult = false);


    VietnameseDictionarySource m_dictionarySource = VietnameseDictionarySource::pinned();
    std::shared_ptr<Sinks> m_sinks;
    Delivery m_delivery;
    Host m_host;
    int m_signatureReadThreads = 0;
    // Held while a line is written and handed on, so the file and the sinks
    // see this engine's lines in one order.
    std::recursive_mutex m_lineLock;
};
