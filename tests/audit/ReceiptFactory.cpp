#include "ReceiptFactory.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <stdexcept>

namespace ReceiptFactory {

QByteArray element(quint8 tag, const QByteArray& content)
{
    QByteArray der(1, char(tag));
    const qsizetype length = content.size();
    if (length < 0x80) {
        der += char(length);
    } else {
        QByteArray lengthBytes;
        for (qsizetype rest = length; rest > 0; rest >>= 8)
            lengthBytes.prepend(char(rest & 0xFF));
        der += char(0x80 | lengthBytes.size());
        der += lengthBytes;
    }
    return der + content;
}

QByteArray integer(qint64 value)
{
    QByteArray content;
    do {
        content.prepend(char(value & 0xFF));
        value >>= 8;
    } while (value > 0);
    if (quint8(content.front()) & 0x80)
        content.prepend('\0');
    return element(0x02, content);
}

QByteArray utf8String(const QString& text)
{
    return element(0x0C, text.toUtf8());
}

QByteArray ia5String(const QByteArray& text)
{
    return element(0x16, text);
}

QByteArray payload(const QList<Attribute>& attributes)
{
    QByteArray content;
    for (const Attribute& attribute : attributes)
        content += element(0x30, integer(attribute.type) + integer(1) + element(0x04, attribute.value));
    return element(0x31, content);
}

QByteArray receiptPayload(const QString& bundleIdentifier, const QByteArray& creationDate)
{
    QList<Attribute> attributes{{2, utf8String(bundleIdentifier)}};
    if (!creationDate.isEmpty())
        attributes.append({12, ia5String(creationDate)});
    attributes.append({99, utf8String(QStringLiteral("tamper-target"))});
    return payload(attributes);
}

namespace {

void require(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(what);
}

EVP_PKEY* makeKey()
{
    EVP_PKEY* key = EVP_EC_gen("P-256");
    require(key, "key generation");
    return key;
}

void addExtension(X509* certificate, X509* issuer, int nid, const char* value)
{
    X509V3_CTX context;
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    require(extension && X509_add_ext(certificate, extension, -1), "extension");
    X509_EXTENSION_free(extension);
}

void addReceiptMarker(X509* certificate)
{
    ASN1_OBJECT* marker = OBJ_txt2obj("1.2.840.113635.100.6.11.1", 1);
    ASN1_OCTET_STRING* value = ASN1_OCTET_STRING_new();
    const unsigned char null[] = {0x05, 0x00};
    ASN1_OCTET_STRING_set(value, null, sizeof null);
    X509_EXTENSION* extension = X509_EXTENSION_create_by_OBJ(nullptr, marker, 0, value);
    require(extension && X509_add_ext(certificate, extension, -1), "marker");
    X509_EXTENSION_free(extension);
    ASN1_OCTET_STRING_free(value);
    ASN1_OBJECT_free(marker);
}

X509* makeCertificate(const char* commonName, EVP_PKEY* key, X509* issuer, EVP_PKEY* issuerKey, bool authority,
                      const QDateTime& notBefore, const QDateTime& notAfter, bool receiptMarker)
{
    static long serial = 1;
    X509* certificate = X509_new();
    X509_set_version(certificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate), serial++);
    X509_NAME* name = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("Receipt Test"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509_set_issuer_name(certificate, issuer ? X509_get_subject_name(issuer) : name);
    ASN1_TIME_set(X509_getm_notBefore(certificate), time_t(notBefore.toSecsSinceEpoch()));
    ASN1_TIME_set(X509_getm_notAfter(certificate), time_t(notAfter.toSecsSinceEpoch()));
    X509_set_pubkey(certificate, key);
    X509* signer = issuer ? issuer : certificate;
    addExtension(certificate, signer, NID_basic_constraints, authority ? "critical,CA:TRUE" : "critical,CA:FALSE");
    addExtension(certificate, signer, NID_key_usage, authority ? "critical,keyCertSign,cRLSign" : "critical,digitalSignature");
    addExtension(certificate, signer, NID_subject_key_identifier, "hash");
    if (receiptMarker)
        addReceiptMarker(certificate);
    require(X509_sign(certificate, issuerKey ? issuerKey : key, EVP_sha256()) > 0, "certificate signing");
    return certificate;
}

} // namespace

struct Pki::Data {
    EVP_PKEY* rootKey = nullptr;
    EVP_PKEY* intermediateKey = nullptr;
    EVP_PKEY* leafKey = nullptr;
    X509* root = nullptr;
    X509* intermediate = nullptr;
    X509* leaf = nullptr;
};

Pki::Pki(const PkiOptions& options) : m_data(std::make_unique<Data>())
{
    const QDateTime from(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc());
    const QDateTime until(QDate(2060, 1, 1), QTime(0, 0), QTimeZone::utc());
    Data& d = *m_data;
    d.rootKey = makeKey();
    d.intermediateKey = makeKey();
    d.leafKey = makeKey();
    d.root = makeCertificate("Receipt Test Root", d.rootKey, nullptr, nullptr, true, from, until, false);
    d.intermediate = makeCertificate("Receipt Test Intermediate", d.intermediateKey, d.root, d.rootKey, true,
                                     from, until, false);
    d.leaf = makeCertificate("Receipt Test Signer", d.leafKey, d.intermediate, d.intermediateKey, false,
                             options.leafNotBefore, options.leafNotAfter, options.leafHasReceiptMarker);
}

Pki::~Pki()
{
    X509_free(m_data->leaf);
    X509_free(m_data->intermediate);
    X509_free(m_data->root);
    EVP_PKEY_free(m_data->leafKey);
    EVP_PKEY_free(m_data->intermediateKey);
    EVP_PKEY_free(m_data->rootKey);
}

QByteArray Pki::rootPem() const
{
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, m_data->root);
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    QByteArray pem(data, length);
    BIO_free(bio);
    return pem;
}

QByteArray Pki::sign(const QByteArray& payload, Signing signing) const
{
    STACK_OF(X509)* chain = sk_X509_new_null();
    if (signing != Signing::leafOnly)
        sk_X509_push(chain, m_data->intermediate);
    BIO* input = BIO_new_mem_buf(payload.constData(), int(payload.size()));
    unsigned int flags = CMS_BINARY;
    if (signing == Signing::withoutAttributes)
        flags |= CMS_NOATTR;
    if (signing == Signing::detached)
        flags |= CMS_DETACHED;
    CMS_ContentInfo* cms = CMS_sign(m_data->leaf, m_data->leafKey, chain, input, flags);
    require(cms, "CMS signing");
    unsigned char* der = nullptr;
    const int length = i2d_CMS_ContentInfo(cms, &der);
    QByteArray bytes(reinterpret_cast<const char*>(der), length);
    OPENSSL_free(der);
    CMS_ContentInfo_free(cms);
    BIO_free(input);
    sk_X509_free(chain);
    return bytes;
}

} // namespace ReceiptFactory
