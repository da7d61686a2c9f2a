#pragma once

#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QStringList>

// A certificate authority made at test time, and server certificates signed
// by it. Nothing is read from or written to disk: the keys and certificates
// live in memory for the life of the object.
class TestCertificateAuthority {
public:
    struct ServerIdentity {
        QSslCertificate certificate;
        QSslKey privateKey;
    };

    // Makes a fresh P-256 key and a self-signed CA certificate valid from a
    // day ago to a day from now. Throws std::runtime_error when OpenSSL fails.
    explicit TestCertificateAuthority(const QString& commonName = QStringLiteral("Tavrin Test CA"));

    QSslCertificate certificate() const { return m_certificate; }

    // A server certificate signed by this authority whose subject alternative
    // names hold each given IP address and DNS name (e.g. "127.0.0.1", "localhost").
    ServerIdentity issueServerCertificate(const QStringList& ipAddresses,
                                          const QStringList& dnsNames = {}) const;

    // A client TLS configuration that trusts exactly this authority, with
    // peer and host-name verification left on.
    QSslConfiguration clientConfiguration() const;

private:
    QByteArray m_keyPem;
    QSslCertificate m_certificate;
};
