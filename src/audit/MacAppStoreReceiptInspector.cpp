#include "audit/MacAppStoreReceiptInspector.h"

#include "audit/InternetDateTime.h"
#include "audit/ReceiptDER.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/objects.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

#include <memory>

namespace MacAppStoreReceiptInspector {

namespace {

using Status = MacAppStoreReceiptStatus;

constexpr qint64 bundleIdentifierAttribute = 2;
constexpr quint8 utf8StringTag = 0x0C;
constexpr qint64 creationDateAttribute = 12;
constexpr quint8 ia5StringTag = 0x16;

const QString unreadableReason = QStringLiteral("The Mac App Store receipt exists but cannot be read with the current permissions.");
const QString readErrorReason = QStringLiteral("The Mac App Store receipt could not be read with the current permissions.");
const QString emptyReason = QStringLiteral("The Mac App Store receipt is empty.");
const QString notCmsReason = QStringLiteral("The receipt is not a valid CMS message.");
const QString payloadMissingReason = QStringLiteral("The signed receipt payload is missing.");
const QString noBundleIdentifierReason = QStringLiteral("The signed receipt does not contain a readable bundle identifier.");
const QString mismatchReason = QStringLiteral("The signed receipt bundle identifier does not match this application.");
const QString noPolicyReason = QStringLiteral("macOS could not create the Mac App Store receipt trust policy.");
const QString badSignatureReason = QStringLiteral("The receipt CMS signature failed integrity verification.");
const QString badDateReason = QStringLiteral("The signed receipt creation date could not be decoded for historical certificate evaluation.");
const QString untrustedReason = QStringLiteral("The historical Apple signer chain could not be re-established at the embedded receipt creation date.");

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* pointer) const { Free(pointer); }
};
using CmsPointer = std::unique_ptr<CMS_ContentInfo, Deleter<CMS_ContentInfo, CMS_ContentInfo_free>>;
using StorePointer = std::unique_ptr<X509_STORE, Deleter<X509_STORE, X509_STORE_free>>;
using StoreContextPointer = std::unique_ptr<X509_STORE_CTX, Deleter<X509_STORE_CTX, X509_STORE_CTX_free>>;
using CertificatePointer = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using BioChainPointer = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;

void freeCertificates(STACK_OF(X509)* certificates)
{
    sk_X509_pop_free(certificates, X509_free);
}
using CertificateStackPointer = std::unique_ptr<STACK_OF(X509), Deleter<STACK_OF(X509), freeCertificates>>;

// Leaves the thread's OpenSSL error queue empty whatever path is taken.
struct ErrorQueueGuard {
    ~ErrorQueueGuard() { ERR_clear_error(); }
};

// The whole input must be one SignedData message, with nothing after it.
CmsPointer decodeSignedData(const QByteArray& bytes)
{
    const auto* cursor = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = cursor + bytes.size();
    CmsPointer cms(d2i_CMS_ContentInfo(nullptr, &cursor, long(bytes.size())));
    if (!cms || cursor != end || OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed)
        return nullptr;
    return cms;
}

// The first signer's certificate when its signature over the content is
// valid; trust is not evaluated here. The certificate belongs to cms.
X509* validFirstSigner(CMS_ContentInfo* cms)
{
    STACK_OF(CMS_SignerInfo)* signers = CMS_get0_SignerInfos(cms);
    if (!signers || sk_CMS_SignerInfo_num(signers) < 1)
        return nullptr;
    CMS_SignerInfo* signer = sk_CMS_SignerInfo_value(signers, 0);
    CMS_set1_signers_certs(cms, nullptr, 0);
    X509* certificate = nullptr;
    CMS_SignerInfo_get0_algs(signer, nullptr, &certificate, nullptr, nullptr);
    if (!certificate)
        return nullptr;
    if (CMS_signed_get_attr_count(signer) >= 0 && CMS_SignerInfo_verify(signer) != 1)
        return nullptr;

    const BioChainPointer content(CMS_dataInit(cms, nullptr));
    if (!content)
        return nullptr;
    char buffer[4096];
    while (BIO_read(content.get(), buffer, sizeof buffer) > 0) {
    }
    if (CMS_SignerInfo_verify_content(signer, content.get()) != 1)
        return nullptr;
    return certificate;
}

// The anchors as a certificate store; nothing when the set is empty or a
// certificate does not load. The store never consults the system's roots.
StorePointer makeReceiptPolicy(const ReceiptTrustAnchors& anchors)
{
    if (anchors.isEmpty())
        return nullptr;
    StorePointer store(X509_STORE_new());
    if (!store)
        return nullptr;
    for (const QByteArray& der : anchors.certificates()) {
        const auto* cursor = reinterpret_cast<const unsigned char*>(der.constData());
        const CertificatePointer certificate(d2i_X509(nullptr, &cursor, long(der.size())));
        if (!certificate || X509_STORE_add_cert(store.get(), certificate.get()) != 1)
            return nullptr;
    }
    return store;
}

bool hasReceiptSigningMarker(X509* certificate)
{
    const std::unique_ptr<ASN1_OBJECT, Deleter<ASN1_OBJECT, ASN1_OBJECT_free>> marker(
        OBJ_txt2obj(receiptSigningMarkerOid, 1));
    return marker && X509_get_ext_by_OBJ(certificate, marker.get(), -1) >= 0;
}

// Whether the signer's chain, built from the message's own certificates,
// ends at an anchor with every certificate valid at the given instant.
bool trustedAt(CMS_ContentInfo* cms, X509* signer, X509_STORE* policy, const QDateTime& instant)
{
    const CertificateStackPointer untrusted(CMS_get1_certs(cms));
    const StoreContextPointer context(X509_STORE_CTX_new());
    if (!context || X509_STORE_CTX_init(context.get(), policy, signer, untrusted.get()) != 1)
        return false;
    X509_VERIFY_PARAM_set_time(X509_STORE_CTX_get0_param(context.get()), time_t(instant.toSecsSinceEpoch()));
    return X509_verify_cert(context.get()) == 1 && hasReceiptSigningMarker(signer);
}

} // namespace

QString receiptPath(const QString& bundlePath)
{
    QString path = bundlePath;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + QStringLiteral("Contents/_MASReceipt/receipt");
}

MacAppStoreReceiptStatus inspect(const QString& receiptPath, const QString& expectedBundleIdentifier,
                                 const AuditFileSystem& fileSystem, const ReceiptTrustAnchors& anchors)
{
    if (!fileSystem.exists(receiptPath))
        return Status::absent();
    if (!fileSystem.isReadable(receiptPath))
        return Status::inaccessible(unreadableReason);
    // A receipt too large to be one is refused as unreadable, unread.
    const std::optional<MappedFile> file = fileSystem.read(receiptPath);
    if (!file)
        return Status::inaccessible(readErrorReason);
    return inspectBytes(file->bytes(), expectedBundleIdentifier, anchors);
}

MacAppStoreReceiptStatus inspectBytes(const QByteArray& receipt, const QString& expectedBundleIdentifier,
                                      const ReceiptTrustAnchors& anchors)
{
    const ErrorQueueGuard errorQueueGuard;
    if (receipt.isEmpty())
        return Status::invalid(emptyReason);

    const CmsPointer cms = decodeSignedData(receipt);
    if (!cms)
        return Status::invalid(notCmsReason);

    ASN1_OCTET_STRING** content = CMS_get0_content(cms.get());
    if (!content || !*content)
        return Status::invalid(payloadMissingReason);
    const QByteArray payload(reinterpret_cast<const char*>(ASN1_STRING_get0_data(*content)),
                             ASN1_STRING_length(*content));

    const std::optional<QString> bundleIdentifier =
        ReceiptDER::stringAttribute(bundleIdentifierAttribute, utf8StringTag, payload);
    if (!bundleIdentifier)
        return Status::invalid(noBundleIdentifierReason);
    if (*bundleIdentifier != expectedBundleIdentifier)
        return Status::invalid(mismatchReason);

    // The signature is checked before anything about trust is said, so a
    // missing policy can never make a tampered receipt look intact.
    X509* signer = validFirstSigner(cms.get());
    if (!signer)
        return Status::invalid(badSignatureReason);

    const StorePointer policy = makeReceiptPolicy(anchors);
    if (!policy)
        return Status::integrityVerified(*bundleIdentifier, noPolicyReason);

    const std::optional<QString> creationText =
        ReceiptDER::stringAttribute(creationDateAttribute, ia5StringTag, payload);
    const std::optional<QDateTime> creationDate =
        creationText ? InternetDateTime::parse(*creationText) : std::nullopt;
    if (!creationDate)
        return Status::integrityVerified(*bundleIdentifier, badDateReason);

    if (!trustedAt(cms.get(), signer, policy.get(), *creationDate))
        return Status::integrityVerified(*bundleIdentifier, untrustedReason);
    return Status::verified(*bundleIdentifier);
}

} // namespace MacAppStoreReceiptInspector
