#pragma once

#include <QString>

// The outcome of inspecting one App Store receipt file. Only the fields of
// the case are filled; the others stay empty, so equality compares the case
// and its payload.
struct MacAppStoreReceiptStatus {
    enum class Kind {
        verified,          // signature, bundle identifier and historical chain trust all hold
        integrityVerified, // signature and bundle identifier hold; trust could not be established
        invalid,           // present and readable, but not an acceptable receipt for this application
        inaccessible,      // exists but could not be read
        absent,            // no receipt file
    };

    Kind kind = Kind::absent;
    QString bundleIdentifier; // verified, integrityVerified
    QString trustReason;      // integrityVerified
    QString reason;           // invalid, inaccessible

    static MacAppStoreReceiptStatus verified(const QString& bundleIdentifier);
    static MacAppStoreReceiptStatus integrityVerified(const QString& bundleIdentifier, const QString& trustReason);
    static MacAppStoreReceiptStatus invalid(const QString& reason);
    static MacAppStoreReceiptStatus inaccessible(const QString& reason);
    static MacAppStoreReceiptStatus absent();

    bool operator==(const MacAppStoreReceiptStatus&) const = default;

    // For logs and test failures, e.g. "invalid(The receipt is empty.)".
    QString toString() const;
};
