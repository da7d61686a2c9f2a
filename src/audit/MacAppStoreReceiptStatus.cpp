#include "audit/MacAppStoreReceiptStatus.h"

MacAppStoreReceiptStatus MacAppStoreReceiptStatus::verified(const QString& bundleIdentifier)
{
    return {Kind::verified, bundleIdentifier, {}, {}};
}

MacAppStoreReceiptStatus MacAppStoreReceiptStatus::integrityVerified(const QString& bundleIdentifier,
                                                                     const QString& trustReason)
{
    return {Kind::integrityVerified, bundleIdentifier, trustReason, {}};
}

MacAppStoreReceiptStatus MacAppStoreReceiptStatus::invalid(const QString& reason)
{
    return {Kind::invalid, {}, {}, reason};
}

MacAppStoreReceiptStatus MacAppStoreReceiptStatus::inaccessible(const QString& reason)
{
    return {Kind::inaccessible, {}, {}, reason};
}

MacAppStoreReceiptStatus MacAppStoreReceiptStatus::absent()
{
    return {};
}

QString MacAppStoreReceiptStatus::toString() const
{
    switch (kind) {
    case Kind::verified:
        return QStringLiteral("verified(%1)").arg(bundleIdentifier);
    case Kind::integrityVerified:
        return QStringLiteral("integrityVerified(%1, %2)").arg(bundleIdentifier, trustReason);
    case Kind::invalid:
        return QStringLiteral("invalid(%1)").arg(reason);
    case Kind::inaccessible:
        return QStringLiteral("inaccessible(%1)").arg(reason);
    case Kind::absent:
        break;
    }
    return QStringLiteral("absent");
}
