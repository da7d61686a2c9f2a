#include "support/TestCertificateAuthority.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <QSslSocket>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* pointer) const { Free(pointer); }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using CertPtr = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using BioPtr = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;

void check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(std::string("OpenSSL failed: ") + what);
}

KeyPtr makeKey()
{
    KeyPtr key(EVP_EC_gen("P-256"));
    check(key != nullptr, "EVP_EC_gen");
    return key;
}

QByteArray toPem(EVP_PKEY* key)
{
    BioPtr bio(BIO_new(BIO_s_mem()));
    check(bio && PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1,
          "PEM_write_bio_PrivateKey");
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return QByteArray(data, static_cast<qsizetype>(size));
}

QByteArray toPem(X509* certificate)
{
    BioPtr bio(BIO_new(BIO_s_mem()));
    check(bio && PEM_write_bio_X509(bio.get(), certificate) == 1, "PEM_write_bio_X509");
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return QByteArray(data, static_cast<qsizetype>(size));
}

KeyPtr keyFromPem(const QByteArray& pem)
{
    BioPtr bio(BIO_new_mem_buf(pem.constData(), static_cast<int>(pem.size())));
    KeyPtr key(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr));
    check(key != nullptr, "PEM_read_bio_PrivateKey");
    return key;
}

CertPtr certificateFromPem(const QByteArray& pem)
{
    BioPtr bio(BIO_new_mem_buf(pem.constData(), static_cast<int>(pem.size())));
    CertPtr certificate(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr));
    check(certificate != nullptr, "PEM_read_bio_X509");
    return certificate;
}

void addExtension(X509* certificate, X509* issuer, int nid, const QByteArray& value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.constData());
    check(extension != nullptr, "X509V3_EXT_conf_nid");
    const int added = X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
    check(added == 1, "X509_add_ext");
}

// A version 3 certificate for the key, valid from a day ago to a day ahead,
// with a serial number unique in this process.
CertPtr makeCertificate(EVP_PKEY* key, const QString& commonName)
{
    static std::atomic<long> serial{1};
    CertPtr certificate(X509_new());
    check(certificate != nullptr, "X509_new");
    check(X509_set_version(certificate.get(), 2) == 1, "X509_set_version");
    check(ASN1_INTEGER_set(X509_get_serialNumber(certificate.get()), serial++) == 1, "serial");
    check(X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -86400) != nullptr, "notBefore");
    check(X509_gmtime_adj(X509_getm_notAfter(certificate.get()), 86400) != nullptr, "notAfter");
    check(X509_set_pubkey(certificate.get(), key) == 1, "X509_set_pubkey");
    X509_NAME* name = X509_get_subject_name(certificate.get());
    const QByteArray cn = commonName.toUtf8();
    check(X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                                     reinterpret_cast<const unsigned char*>(cn.constData()), -1, -1, 0) == 1,
          "X509_NAME_add_entry_by_txt");
    return certificate;
}

} // namespace

TestCertificateAuthority::TestCertificateAuthority(const QString& commonName)
{
    const KeyPtr key = makeKey();
    const CertPtr certificate = makeCertificate(key.get(), commonName);
    check(X509_set_issuer_name(certificate.get(), X509_get_subject_name(certificate.get())) == 1, "issuer");
    addExtension(certificate.get(), certificate.get(), NID_basic_constraints, "critical,CA:TRUE");
    addExtension(certificate.get(), certificate.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
    addExtension(certificate.get(), certificate.get(), NID_subject_key_identifier, "hash");
    check(X509_sign(certificate.get(), key.get(), EVP_sha256()) > 0, "X509_sign");

    m_keyPem = toPem(key.get());
    m_certificate = QSslCertificate(toPem(certificate.get()), QSsl::Pem);
    check(!m_certificate.isNull(), "QSslCertificate of the CA");
}

TestCertificateAuthority::ServerIdentity
TestCertificateAuthority::issueServerCertificate(const QStringList& ipAddresses, const QStringList& dnsNames) const
{
    const KeyPtr caKey = keyFromPem(m_keyPem);
    const CertPtr caCertificate = certificateFromPem(m_certificate.toPem());

    const KeyPtr key = makeKey();
    const QString commonName = ipAddresses.isEmpty() ? dnsNames.value(0) : ipAddresses.first();
    const CertPtr certificate = makeCertificate(key.get(), commonName);
    check(X509_set_issuer_name(certificate.get(), X509_get_subject_name(caCertificate.get())) == 1, "issuer");

    QStringList alternativeNames;
    for (const QString& address : ipAddresses)
        alternativeNames.append(QStringLiteral("IP:") + address);
    for (const QString& dns : dnsNames)
        alternativeNames.append(QStringLiteral("DNS:") + dns);
    addExtension(certificate.get(), caCertificate.get(), NID_basic_constraints, "critical,CA:FALSE");
    addExtension(certificate.get(), caCertificate.get(), NID_key_usage, "critical,digitalSignature");
    addExtension(certificate.get(), caCertificate.get(), NID_ext_key_usage, "serverAuth");
    addExtension(certificate.get(), caCertificate.get(), NID_authority_key_identifier, "keyid:always");
    if (!alternativeNames.isEmpty())
        addExtension(certificate.get(), caCertificate.get(), NID_subject_alt_name, alternativeNames.join(',').toUtf8());
    check(X509_sign(certificate.get(), caKey.get(), EVP_sha256()) > 0, "X509_sign");

    ServerIdentity identity{QSslCertificate(toPem(certificate.get()), QSsl::Pem),
                            QSslKey(toPem(key.get()), QSsl::Ec, QSsl::Pem)};
    check(!identity.certificate.isNull() && !identity.privateKey.isNull(), "server identity");
    return identity;
}

QSslConfiguration TestCertificateAuthority::clientConfiguration() const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setCaCertificates({m_certificate});
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    return configuration;
}
