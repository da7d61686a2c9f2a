#pragma once

#include <QByteArray>
#include <QList>

// The root certificates an App Store receipt's signer chain must end at.
// The program uses exactly Apple's two roots, compiled in; nothing is read
// from the environment or from a file, so no one can add an anchor that
// makes a forged receipt look genuine. Tests build their own anchors in code.
class ReceiptTrustAnchors {
public:
    ReceiptTrustAnchors() = default;

    // Apple Root CA and Apple Root CA - G3.
    static const ReceiptTrustAnchors& apple();

    // Every certificate in PEM text; a block that does not parse makes the
    // whole set empty (an empty set trusts nothing).
    static ReceiptTrustAnchors fromPem(const QByteArray& pem);

    // The certificates, DER-encoded.
    const QList<QByteArray>& certificates() const { return m_certificates; }
    bool isEmpty() const { return m_certificates.isEmpty(); }

private:
    QList<QByteArray> m_certificates;
};
