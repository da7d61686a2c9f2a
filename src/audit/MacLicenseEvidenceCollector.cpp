#include "audit/MacLicenseEvidenceCollector.h"

#include "audit/MacAppStoreReceiptInspector.h"
#include "audit/MacInventoryClassifier.h"

#include <QSet>

#include <functional>

namespace MacLicenseEvidenceCollector {

namespace {

using State = AppLicenseEvidenceState;
using Confidence = LicenseEvidenceConfidence;
using Verification = LicenseEvidenceVerification;

const QString receiptKind = QStringLiteral("app-store-receipt");
const QString receiptSource = QStringLiteral("mac-app-store-receipt");
const QString provenanceKind = QStringLiteral("installation-provenance");
const QString vendorArtifactKind = QStringLiteral("vendor-license-artifact");
const QString licenseMetadataKind = QStringLiteral("license-metadata");
const QString accountMetadataKind = QStringLiteral("account-metadata");

// Where a policy verdict carries no confidence of its own.
Confidence defaultConfidence(State state)
{
    switch (state) {
    case State::verifiedReceipt:
        return Confidence::verified;
    case State::receiptIntegrityVerified:
    case State::acquisitionReceipt:
    case State::licenseArtifact:
        return Confidence::strong;
    case State::accountBased:
    case State::needsEntitlementReview:
        return Confidence::indicative;
    case State::freeOrOpenSource:
    case State::installationEvidence:
        return Confidence::informational;
    case State::accessRestricted:
    case State::explicitUnlicensed:
    case State::noEvidence:
        break;
    }
    return Confidence::none;
}

AppLicenseEvidence verdict(State state, const QString& source, const QString& detail, Confidence confidence,
                           const QList<LicenseEvidenceSignal>& signals)
{
    return AppLicenseEvidence{state, source, detail, confidence, unique(signals)};
}

const LicenseEvidenceSignal* firstSignal(const QList<LicenseEvidenceSignal>& signals,
                                         const std::function<bool(const LicenseEvidenceSignal&)>& matches)
{
    for (const LicenseEvidenceSignal& signal : signals) {
        if (matches(signal))
            return &signal;
    }
    return nullptr;
}

} // namespace

AppLicenseEvidence evidence(const QString& appPath, const QString& applicationName, const QString& bundleIdentifier,
                            const QString& source, const std::optional<HomebrewCaskApplication>& cask,
                            const QStringList& installerReceiptIdentifiers, const AuditFileSystem& fileSystem,
                            const QString& homeDirectory, const QString& systemLibrary,
                            const ReceiptTrustAnchors& receiptAnchors)
{
    QList<LicenseEvidenceSignal> signals;
    bool accessRestricted = false;

    const MacAppStoreReceiptStatus receipt = MacAppStoreReceiptInspector::inspect(
        MacAppStoreReceiptInspector::receiptPath(appPath), bundleIdentifier, fileSystem, receiptAnchors);
    switch (receipt.kind) {
    case MacAppStoreReceiptStatus::Kind::verified: {
        const QString detail = QStringLiteral(
            "The CMS signature is intact, the Apple receipt signing chain is trusted at receipt creation time, and the signed bundle identifier matches this application.");
        return verdict(State::verifiedReceipt, receiptSource, detail, Confidence::verified,
                       {{receiptKind, receiptSource, Verification::verified, detail}});
    }
    case MacAppStoreReceiptStatus::Kind::integrityVerified: {
        const QString detail = QStringLiteral("The CMS signature integrity and signed bundle identifier were verified. ")
                               + receipt.trustReason
                               + QStringLiteral(" No purchase ownership or current entitlement is claimed.");
        return verdict(State::receiptIntegrityVerified, receiptSource, detail, Confidence::strong,
                       {{receiptKind, receiptSource, Verification::structurallyValid, detail}});
    }
    case MacAppStoreReceiptStatus::Kind::invalid:
        signals.append({receiptKind, receiptSource, Verification::failed, receipt.reason});
        break;
    case MacAppStoreReceiptStatus::Kind::inaccessible:
        signals.append({receiptKind, receiptSource, Verification::inaccessible, receipt.reason});
        accessRestricted = true;
        break;
    case MacAppStoreReceiptStatus::Kind::absent:
        break;
    }

    for (const SignalScan& scan : {vendorSignals(applicationName, bundleIdentifier, fileSystem, homeDirectory, systemLibrary),
                                   preferenceSignals(applicationName, bundleIdentifier, fileSystem, homeDirectory)}) {
        signals += scan.signals;
        accessRestricted = accessRestricted || scan.inaccessible;
    }

    if (cask)
        signals.append({provenanceKind, QStringLiteral("homebrew-cask"), Verification::detected,
                        QStringLiteral("Installed through Homebrew cask '") + cask->token + QStringLiteral("' (recorded version ")
                            + cask->installedVersion
                            + QStringLiteral("). This proves installation provenance, not license entitlement.")});
    if (!installerReceiptIdentifiers.isEmpty())
        signals.append({provenanceKind, QStringLiteral("installer-receipt"), Verification::detected,
                        QStringLiteral("Related installer receipt detected: ")
                            + installerReceiptIdentifiers.mid(0, 4).join(QStringLiteral(", "))
                            + QStringLiteral(". Installer receipts prove installation only.")});

    if (const LicenseEvidenceSignal* artifact = firstSignal(signals, [](const LicenseEvidenceSignal& signal) {
            return signal.kind == vendorArtifactKind && signal.verification == Verification::structurallyValid;
        }))
        return verdict(State::licenseArtifact, artifact->source, artifact->detail, Confidence::strong, signals);

    if (const LicenseEvidenceSignal* metadata = firstSignal(signals, [](const LicenseEvidenceSignal& signal) {
            return signal.kind == licenseMetadataKind || signal.kind == vendorArtifactKind;
        }))
        return verdict(State::needsEntitlementReview, metadata->source,
                       QStringLiteral("Local license-related metadata was detected, but it cannot be cryptographically tied to a current entitlement. Review the evidence list."),
                       Confidence::indicative, signals);

    if (const LicenseEvidenceSignal* account = firstSignal(signals, [](const LicenseEvidenceSignal& signal) {
            return signal.kind == accountMetadataKind;
        }))
        return verdict(State::accountBased, account->source,
                       QStringLiteral("App-scoped account metadata was detected. The vendor's online subscription or commercial entitlement was not queried."),
                       Confidence::indicative, signals);

    const AppLicenseEvidence policy =
        MacInventoryClassifier::licenseEvidence(source, bundleIdentifier, false, std::nullopt);
    if (policy.state != State::noEvidence)
        return verdict(policy.state, policy.source, policy.detail,
                       policy.confidence.value_or(defaultConfidence(policy.state)),
                       signals + policy.signals.value_or(QList<LicenseEvidenceSignal>()));

    if (firstSignal(signals, [](const LicenseEvidenceSignal& signal) { return signal.verification == Verification::failed; }))
        return verdict(State::needsEntitlementReview, QStringLiteral("failed-local-verification"),
                       QStringLiteral("A local entitlement artifact was found but failed technical verification."),
                       Confidence::none, signals);

    if (accessRestricted)
        return verdict(State::accessRestricted, QStringLiteral("local-access-restricted"),
                       QStringLiteral("At least one relevant local evidence location could not be inspected with the current permissions."),
                       Confidence::none, signals);

    if (!installerReceiptIdentifiers.isEmpty() || cask)
        return verdict(State::installationEvidence,
                       cask ? QStringLiteral("homebrew-cask") : QStringLiteral("installer-receipt"),
                       QStringLiteral("Installation provenance was detected, but no local activation or entitlement evidence was verified."),
                       Confidence::informational, signals);

    return verdict(State::noEvidence, QStringLiteral("multi-layer-local-scan"),
                   QStringLiteral("No verified receipt, vendor license artifact, or app-scoped activation metadata was detected locally. Account, subscription, invoice, MDM, or vendor-side evidence may still exist."),
                   Confidence::none, signals);
}

QList<LicenseEvidenceSignal> unique(const QList<LicenseEvidenceSignal>& signals)
{
    QSet<QString> seen;
    QList<LicenseEvidenceSignal> kept;
    for (const LicenseEvidenceSignal& signal : signals) {
        const QString identity = signal.kind + QLatin1Char('|') + signal.source + QLatin1Char('|')
                                 + EnumText::toString(signal.verification) + QLatin1Char('|') + signal.detail;
        if (!seen.contains(identity)) {
            seen.insert(identity);
            kept.append(signal);
        }
    }
    return kept;
}

} // namespace MacLicenseEvidenceCollector
