// The inventory scan of the audit: every application bundle, Homebrew leaf
// and unclaimed installer receipt on the Mac, one row each.

#include "engine/MacBackend.h"
#include "engine/OrderedReads.h"

#include "audit/AuditFileSystem.h"
#include "audit/MacInventoryClassifier.h"
#include "audit/MacLicenseEvidenceCollector.h"
#include "platform/AppRuntime.h"
#include "platform/BundleInfo.h"
#include "platform/FolderWalk.h"
#include "platform/TextLines.h"

#include <QCollator>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <thread>

namespace {

const QString emDash = QStringLiteral("—");
const QString appStoreSource = QStringLiteral("Mac App Store");
const QString userApplicationsSource = QStringLiteral("user Applications");
const QString applicationsSource = QStringLiteral("/Applications");
const QString formulaSource = QStringLiteral("Homebrew formula");
const QString receiptSource = QStringLiteral("installer receipt");
const QString formulaKeyPrefix = QStringLiteral("homebrew.formula.");
const QString receiptKeyPrefix = QStringLiteral("pkg.");

// One accepted application bundle.
struct Candidate {
    QString path;    // local path, as the walk yielded it (links not resolved)
    QString macPath; // the same as the Mac names it
    QString name;
    QString version;
    QString identifier;
    QString source;
    bool hasAppStoreReceipt = false;
    std::optional<QString> copyright;
};

// Candidates in the order first accepted; a replacement takes the place of
// the one it replaces.
struct CandidateList {
    QList<Candidate> items;
    QHash<QString, qsizetype> positions; // lower-cased identifier -> place

    void offer(Candidate candidate)
    {
        const QString key = candidate.identifier.toLower();
        const auto found = positions.constFind(key);
        if (found == positions.cend()) {
            positions.insert(key, items.size());
            items.append(std::move(candidate));
            return;
        }
        Candidate& kept = items[*found];
        const bool receiptWins = !kept.hasAppStoreReceipt && candidate.hasAppStoreReceipt;
        const bool leavesUserFolder = kept.source == userApplicationsSource && candidate.source != userApplicationsSource;
        if (receiptWins || leavesUserFolder)
            kept = std::move(candidate);
    }
};

// Rows by key; a row stored under a key already present replaces the earlier
// one in its place.
struct ResultTable {
    QList<InstalledMacApplication> rows;
    QHash<QString, qsizetype> positions;

    void store(const QString& key, InstalledMacApplication row)
    {
        const auto found = positions.constFind(key);
        if (found != positions.cend()) {
            rows[*found] = std::move(row);
            return;
        }
        positions.insert(key, rows.size());
        rows.append(std::move(row));
    }
};

// What is read about one bundle off the scanning thread.
struct BundleReads {
    MacBackend::SignatureEvidence signature;
    AppLicenseEvidence licenseEvidence;
};

bool hasAppExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && fileName.mid(dot + 1).toLower() == QLatin1String("app");
}

QString withoutExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

// The candidate's name, version, identifier and copyright from the bundle's
// information, with the fallbacks of a bundle that cannot be read.
void readBundle(Candidate& candidate)
{
    const QString file = fileNameOf(candidate.path);
    const QString stem = withoutExtension(file);
    const std::optional<BundleInfo> bundle = BundleInfo::read(candidate.path);
    if (!bundle) {
        candidate.name = stem;
        candidate.version = QStringLiteral("unknown");
        candidate.identifier = file;
        return;
    }
    candidate.name = bundle->string(QStringLiteral("CFBundleDisplayName"))
                         .value_or(bundle->string(QStringLiteral("CFBundleName")).value_or(stem));
    candidate.version = bundle->string(QStringLiteral("CFBundleShortVersionString"))
                            .value_or(bundle->string(QStringLiteral("CFBundleVersion")).value_or(QStringLiteral("unknown")));
    candidate.identifier = bundle->identifier().value_or(file);
    candidate.copyright = bundle->string(QStringLiteral("NSHumanReadableCopyright"));
    if (!candidate.copyright)
        candidate.copyright = bundle->rawString(QStringLiteral("NSHumanReadableCopyright"));
}

// Receipts of the operating system itself are never listed.
bool isSystemReceipt(const QString& lowered)
{
    return lowered == QLatin1String("com.apple.pkg.rosettaupdateauto")
        || lowered.startsWith(QLatin1String("com.apple.pkg.")) || lowered.startsWith(QLatin1String("com.apple.files."))
        || lowered.startsWith(QLatin1String("com.apple.cdm."));
}

// The finding for a receipt that no application claims.
AppLicenseEvidence receiptOnlyEvidence()
{
    AppLicenseEvidence evidence;
    evidence.state = AppLicenseEvidenceState::noEvidence;
    evidence.source = QStringLiteral("installer-receipt-only");
    evidence.detail =
        QStringLiteral("An installer receipt proves installation only; it does not prove a license entitlement.");
    evidence.confidence = LicenseEvidenceConfidence::informational;
    return evidence;
}

// The version named by `pkgutil --pkg-info`: the rest of the first line
// that begins exactly with "version: ".
QString receiptVersion(const QString& packageInfo)
{
    const QString prefix = QStringLiteral("version: ");
    for (const QString& line : TextLines::split(packageInfo)) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return QStringLiteral("unknown");
}

bool isPlaceholderDeveloper(const QString& developer)
{
    return developer == emDash || developer.startsWith(QLatin1String("Team "));
}

} // namespace

int MacBackend::signatureReadThreads() const
{
    if (m_signatureReadThreads > 0)
        return m_signatureReadThreads;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

QList<InstalledMacApplication> MacBackend::installedAdditionalApplications(
    const std::function<void(int completed, int total)>& progress, const std::function<bool()>& isCancelled)
{
    const auto cancelled = [&isCancelled] { return isCancelled && isCancelled(); };
    const auto report = [&progress](int completed, int total) {
        if (progress)
            progress(completed, total);
    };
    const QString home = AppRuntime::homeDirectory();

    // Application bundles of the two application folders.
    CandidateList candidates;
    for (const QString& root : {m_host.map(QStringLiteral("/Applications")),
                                AppRuntime::appendingComponent(home, QStringLiteral("Applications"))}) {
        if (!QFileInfo::exists(root))
            continue;
        if (cancelled())
            return {};
        bool stopped = false;
        FolderWalk::walk(root, [&](const FolderWalk::Entry& entry) {
            if (!hasAppExtension(entry.name))
                return FolderWalk::Step::next;
            if (cancelled()) {
                stopped = true;
                return FolderWalk::Step::stop;
            }
            // The system test on the resolved path comes before the bundle is read.
            if (MacInventoryClassifier::isSystemApplication(entry.path, std::nullopt, m_host))
                return FolderWalk::Step::next;
            Candidate candidate;
            candidate.path = entry.path;
            candidate.macPath = m_host.unmap(entry.path);
            readBundle(candidate);
            if (MacInventoryClassifier::isSystemApplication(entry.path, candidate.identifier, m_host))
                return FolderWalk::Step::next;
            candidate.hasAppStoreReceipt =
                QFileInfo::exists(entry.path + QStringLiteral("/Contents/_MASReceipt/receipt"));
            candidate.source = candidate.hasAppStoreReceipt     ? appStoreSource
                : candidate.macPath.startsWith(home)            ? userApplicationsSource
                                                                : applicationsSource;
            candidates.offer(std::move(candidate));
            return FolderWalk::Step::next;
        });
        if (stopped)
            return {};
    }

    // Homebrew's licences, casks and top-level formulae.
    if (cancelled())
        return {};
    QMap<QString, QString> licences;
    QHash<QString, HomebrewCaskApplication> casks;
    QList<MacInventoryClassifier::FormulaVersion> formulae;
    if (const std::optional<QString> brew = brewPath()) {
        const QString info = runCapture({*brew, QStringLiteral("info"), QStringLiteral("--json=v2"),
                                         QStringLiteral("--installed")});
        licences = MacInventoryClassifier::brewLicenses(info);
        casks = MacLicenseEvidenceCollector::homebrewCaskApplications(info);
        const QString leaves = runCapture({*brew, QStringLiteral("leaves")});
        const QString versions = runCapture({*brew, QStringLiteral("list"), QStringLiteral("--versions")});
        formulae = MacInventoryClassifier::brewVersions(leaves, versions);
    }

    // Installer receipts, once each whatever their letter case.
    if (cancelled())
        return {};
    QStringList receipts;
    QSet<QString> seenReceipts;
    for (const QString& line : TextLines::split(runCapture({QStringLiteral("/usr/sbin/pkgutil"), QStringLiteral("--pkgs")}))) {
        if (cancelled())
            return {};
        const QString identifier = line.trimmed();
        if (identifier.isEmpty())
            continue;
        const QString lowered = identifier.toLower();
        if (isSystemReceipt(lowered))
            continue;
        if (seenReceipts.contains(receiptKeyPrefix + lowered))
            continue;
        seenReceipts.insert(receiptKeyPrefix + lowered);
        receipts.append(identifier);
    }

    // Receipts claimed by an application are not rows of their own.
    QHash<QString, QStringList> receiptsByApplication;
    QSet<QString> claimed;
    QSet<QString> candidateKeys;
    for (const Candidate& candidate : std::as_const(candidates.items)) {
        const QStringList matched =
            MacLicenseEvidenceCollector::matchingInstallerReceipts(candidate.name, candidate.identifier, receipts);
        receiptsByApplication.insert(candidate.identifier.toLower(), matched);
        for (const QString& receipt : matched)
            claimed.insert(receipt);
        candidateKeys.insert(candidate.identifier.toLower());
    }
    QStringList unclaimed;
    for (const QString& receipt : std::as_const(receipts)) {
        if (!claimed.contains(receipt) && !candidateKeys.contains(receipt.toLower()))
            unclaimed.append(receipt);
    }

    const int total = int(candidates.items.size() + formulae.size() + unclaimed.size());
    int completed = 0;
    report(0, total);
    ResultTable table;
    const auto stored = [&](const QString& key, InstalledMacApplication row) {
        table.store(key, std::move(row));
        report(++completed, total);
    };

    // Application rows. The signature and evidence reads of different bundles
    // are independent and run ahead on worker threads; the rows are stored
    // here, in candidate order, so the developer-name map below sees the
    // applications in that order whatever order the reads finish in.
    const LocalAuditFileSystem fileSystem(m_host);
    const QString systemLibrary = m_host.map(QStringLiteral("/Library"));
    const auto read = [&](int index) {
        const Candidate& candidate = candidates.items.at(index);
        std::optional<HomebrewCaskApplication> cask;
        const auto found = casks.constFind(fileNameOf(candidate.path).toLower());
        if (found != casks.cend())
            cask = *found;
        BundleReads reads;
        reads.signature = signatureEvidence(candidate.macPath, candidate.copyright);
        reads.licenseEvidence = MacLicenseEvidenceCollector::evidence(
            candidate.path, candidate.name, candidate.identifier, candidate.source, cask,
            receiptsByApplication.value(candidate.identifier.toLower()), fileSystem, home, systemLibrary);
        return reads;
    };
    const int threads = signatureReadThreads();
    OrderedReads<BundleReads> reads(int(candidates.items.size()), threads, 4 * threads, read);
    QHash<QString, QString> developerByTeam;
    bool stopped = false;
    for (int index = 0; index < candidates.items.size(); ++index) {
        if (cancelled()) {
            stopped = true;
            break;
        }
        const Candidate& candidate = candidates.items.at(index);
        const BundleReads bundle = reads.take(index);
        const SignatureEvidence& signature = bundle.signature;
        QString developer = signature.developer;
        if (developer.startsWith(QLatin1String("Team ")) && developerByTeam.contains(signature.team))
            developer = developerByTeam.value(signature.team);
        else if (!isPlaceholderDeveloper(developer) && signature.team != emDash
                 && signature.team != QLatin1String("not set"))
            developerByTeam.insert(signature.team, developer);
        if (isPlaceholderDeveloper(developer)) {
            if (std::optional<QString> inferred = MacInventoryClassifier::inferredDeveloperName(
                    candidate.name, candidate.identifier, candidate.source))
                developer = *inferred;
        }
        stored(candidate.identifier.toLower(),
               {candidate.name, candidate.version, candidate.identifier, candidate.source, signature.status,
                signature.team, signature.identifier, developer, bundle.licenseEvidence});
    }
    reads.stop();

    // Formula rows.
    for (qsizetype index = 0; !stopped && index < formulae.size(); ++index) {
        if (cancelled()) {
            stopped = true;
            break;
        }
        const MacInventoryClassifier::FormulaVersion& formula = formulae.at(index);
        const QString identifier = formulaKeyPrefix + formula.name;
        const auto licence = licences.constFind(formula.name);
        stored(identifier,
               {formula.name, formula.version, identifier, formulaSource, QStringLiteral("not-applicable"), emDash,
                emDash, MacInventoryClassifier::inferredDeveloperName(formula.name, identifier, formulaSource),
                MacInventoryClassifier::licenseEvidence(
                    formulaSource, std::nullopt, false,
                    licence != licences.cend() ? std::optional<QString>(*licence) : std::nullopt)});
    }

    // Receipt rows.
    for (qsizetype index = 0; !stopped && index < unclaimed.size(); ++index) {
        if (cancelled())
            break;
        const QString& receipt = unclaimed.at(index);
        const QString info = runCapture({QStringLiteral("/usr/sbin/pkgutil"), QStringLiteral("--pkg-info"), receipt});
        stored(receiptKeyPrefix + receipt.toLower(),
               {receipt, receiptVersion(info), receipt, receiptSource, QStringLiteral("receipt-only"), emDash, emDash,
                MacInventoryClassifier::inferredDeveloperName(receipt, receipt, receiptSource),
                receiptOnlyEvidence()});
    }

    QList<InstalledMacApplication> rows = std::move(table.rows);
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&collator](const auto& left, const auto& right) {
        return collator.compare(left.name, right.name) < 0;
    });
    return rows;
}
