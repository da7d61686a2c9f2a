#pragma once

#include "audit/AuditFileSystem.h"
#include "audit/MacAppStoreReceiptStatus.h"
#include "audit/ReceiptTrustAnchors.h"

#include <QByteArray>
#include <QString>

// Checks one Mac App Store receipt: a CMS SignedData message whose payload
// names the bundle it was issued for. OpenSSL decodes the message, checks
// the first signer's signature and re-establishes the signer chain at the
// receipt's own creation date against the trust anchors; the leaf must carry
// Apple's receipt-signing marker. Nothing is written or sent anywhere.
namespace MacAppStoreReceiptInspector {

// The receipt's place inside an application bundle.
QString receiptPath(const QString& bundlePath);

// The status of the receipt file at receiptPath for the application whose
// bundle identifier is expectedBundleIdentifier. Never throws.
MacAppStoreReceiptStatus inspect(const QString& receiptPath, const QString& expectedBundleIdentifier,
                                 const AuditFileSystem& fileSystem = AuditFileSystem::real(),
                                 const ReceiptTrustAnchors& anchors = ReceiptTrustAnchors::apple());

// The same checks on receipt bytes already read (from the empty-file check on).
MacAppStoreReceiptStatus inspectBytes(const QByteArray& receipt, const QString& expectedBundleIdentifier,
                                      const ReceiptTrustAnchors& anchors = ReceiptTrustAnchors::apple());

// The extension that marks a certificate as issued for signing App Store
// receipts; the signer's certificate must carry it.
inline constexpr char receiptSigningMarkerOid[] = "1.2.840.113635.100.6.11.1";

} // namespace MacAppStoreReceiptInspector
