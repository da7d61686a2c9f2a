// Homebrew metadata readers and the policy-level licence finding.
#include "audit/MacInventoryClassifier.h"

#include "platform/TextLines.h"

#include <QCollator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace MacInventoryClassifier {

namespace {

QStringList trimmedLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : TextLines::split(text)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    return lines;
}

// The array under key when it holds objects only.
std::optional<QJsonArray> arrayOfObjects(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray array = value.toArray();
    if (!std::all_of(array.begin(), array.end(), [](const QJsonValue& element) { return element.isObject(); }))
        return std::nullopt;
    return array;
}

AppLicenseEvidence finding(AppLicenseEvidenceState state, const char* source, const QString& detail,
                           LicenseEvidenceConfidence confidence)
{
    AppLicenseEvidence evidence;
    evidence.state = state;
    evidence.source = QString::fromUtf8(source);
    evidence.detail = detail;
    evidence.confidence = confidence;
    return evidence;
}

} // namespace

QList<FormulaVersion> brewVersions(const QString& leaves, const QString& versions)
{
    const QStringList leafList = trimmedLines(leaves);
    const QSet<QString> leafNames(leafList.begin(), leafList.end());

    QList<FormulaVersion> pairs;
    for (const QString& line : trimmedLines(versions)) {
        const QStringList pieces = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (pieces.isEmpty() || !leafNames.contains(pieces.first()))
            continue;
        pairs.append({pieces.first(), pieces.size() > 1 ? pieces.at(1) : QStringLiteral("unknown")});
    }

    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(pairs.begin(), pairs.end(), [&collator](const FormulaVersion& a, const FormulaVersion& b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return pairs;
}

QMap<QString, QString> brewLicenses(const QString& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isObject())
        return {};
    const std::optional<QJsonArray> formulae = arrayOfObjects(document.object(), QStringLiteral("formulae"));
    if (!formulae)
        return {};

    QMap<QString, QString> licenses;
    for (const QJsonValue& element : *formulae) {
        const QJsonObject formula = element.toObject();
        const QJsonValue name = formula.value(QStringLiteral("name"));
        if (formula.isEmpty() || !name.isString())
            continue;
        const QJsonValue license = formula.value(QStringLiteral("license"));
        if (license.isString()) {
            if (!license.toString().trimmed().isEmpty())
                licenses.insert(name.toString(), license.toString());
        } else if (license.isObject()) {
            // QJsonObject keeps its keys sorted, so the text is canonical.
            licenses.insert(name.toString(),
                            QString::fromUtf8(QJsonDocument(license.toObject()).toJson(QJsonDocument::Compact)));
        } else if (license.isArray()) {
            licenses.insert(name.toString(),
                            QString::fromUtf8(QJsonDocument(license.toArray()).toJson(QJsonDocument::Compact)));
        }
    }
    return licenses;
}

AppLicenseEvidence licenseEvidence(const QString& source, const std::optional<QString>& bundleIdentifier,
                                   bool hasAppStoreReceipt, const std::optional<QString>& brewLicense)
{
    using State = AppLicenseEvidenceState;
    using Confidence = LicenseEvidenceConfidence;

    if (hasAppStoreReceipt) {
        AppLicenseEvidence evidence = finding(
            State::acquisitionReceipt, "mac-app-store-receipt",
            QStringLiteral("A Mac App Store receipt file is present but was not cryptographically inspected by this legacy call path."),
            Confidence::indicative);
        evidence.signals = QList<LicenseEvidenceSignal>{{QStringLiteral("app-store-receipt"),
                                                         QStringLiteral("mac-app-store-receipt"),
                                                         LicenseEvidenceVerification::notVerified,
                                                         QStringLiteral("Receipt file presence only.")}};
        return evidence;
    }
    if (bundleIdentifier) {
        const QString identifier = bundleIdentifier->toLower();
        if (accountBasedBundleIdentifiers().contains(identifier))
            return finding(State::accountBased, "account-based-app-policy",
                           QStringLiteral("This application normally uses an online account or subscription instead of a locally readable product key. Online entitlement was not queried."),
                           Confidence::informational);
        if (keyFreeBundleIdentifiers().contains(identifier) || identifier.startsWith(QLatin1String("com.google.chrome.app.")))
            return finding(State::freeOrOpenSource, "key-free-app-policy",
                           QStringLiteral("This application is recognized as free or open-source software that normally does not use a local product key."),
                           Confidence::informational);
    }
    const bool formula = source == QLatin1String("Homebrew formula");
    if (formula && brewLicense) {
        const QString lower = brewLicense->toLower();
        if (lower.contains(QLatin1String("proprietary")) || lower.contains(QLatin1String("cannot-represent"))
            || lower.contains(QLatin1String("unknown")))
            return finding(State::needsEntitlementReview, "homebrew-license-metadata",
                           QStringLiteral("Homebrew license metadata is proprietary or inconclusive. Verify the vendor entitlement or terms: ")
                               + *brewLicense + QLatin1Char('.'),
                           Confidence::informational);
        return finding(State::freeOrOpenSource, "homebrew-license-metadata",
                       QStringLiteral("Homebrew metadata declares license: ") + *brewLicense + QLatin1Char('.'),
                       Confidence::informational);
    }
    if (source == QLatin1String("installer receipt"))
        return finding(State::noEvidence, "installer-receipt-only",
                       QStringLiteral("An installer receipt proves installation only; it does not prove a license entitlement."),
                       Confidence::informational);
    return finding(State::noEvidence, "none",
                   QStringLiteral("No OS-readable purchase receipt or reconciled entitlement was found. Check the vendor account, subscription, invoice, or contract."),
                   Confidence::none);
}

} // namespace MacInventoryClassifier
