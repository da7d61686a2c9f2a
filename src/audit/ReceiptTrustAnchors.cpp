#include "audit/ReceiptTrustAnchors.h"

#include "audit/AppleRootCertificates.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <memory>

const ReceiptTrustAnchors& ReceiptTrustAnchors::apple()
{
    static const ReceiptTrustAnchors anchors = [] {
        QByteArray all;
        for (const QByteArray& pem : AppleRootCertificates::pem())
            all += pem;
        return fromPem(all);
    }();
    return anchors;
}

ReceiptTrustAnchors ReceiptTrustAnchors::fromPem(const QByteArray& pem)
{
    ReceiptTrustAnchors anchors;
    const std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(pem.constData(), int(pem.size())), &BIO_free);
    if (!bio)
        return {};
    const int expected = pem.count("-----BEGIN CERTIFICATE-----");
    while (X509* certificate = PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr)) {
        unsigned char* der = nullptr;
        const int length = i2d_X509(certificate, &der);
        X509_free(certificate);
        if (length <= 0)
            return {};
        anchors.m_certificates.append(QByteArray(reinterpret_cast<const char*>(der), length));
        OPENSSL_free(der);
    }
    ERR_clear_error(); // the end of the text leaves a "no start line" entry
    if (anchors.m_certificates.size() != expected)
        return {};
    return anchors;
}
