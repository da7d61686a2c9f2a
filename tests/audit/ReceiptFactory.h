#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <memory>

// Makes App Store receipts for tests: payload DER written by hand, a
// throwaway root, intermediate and leaf made with OpenSSL, and CMS signing.
namespace ReceiptFactory {

// One DER element with the shortest length form.
QByteArray element(quint8 tag, const QByteArray& content);
QByteArray integer(qint64 value);
QByteArray utf8String(const QString& text);
QByteArray ia5String(const QByteArray& text);

struct Attribute {
    qint64 type = 0;
    QByteArray value; // one complete DER string element (or anything, for malformed cases)
};

// SET { SEQUENCE { INTEGER type, INTEGER 1, OCTET STRING value } ... }.
QByteArray payload(const QList<Attribute>& attributes);

// A usual payload: bundle identifier (2), creation date (12, omitted when
// empty) and a text attribute (99) holding "tamper-target".
QByteArray receiptPayload(const QString& bundleIdentifier, const QByteArray& creationDate);

struct PkiOptions {
    // Fixed dates, so no outcome depends on today's date. The root and the
    // intermediate are valid from 2000 to 2060.
    QDateTime leafNotBefore = QDateTime(QDate(2020, 1, 1), QTime(0, 0), QTimeZone::utc());
    QDateTime leafNotAfter = QDateTime(QDate(2040, 1, 1), QTime(0, 0), QTimeZone::utc());
    bool leafHasReceiptMarker = true;
};

// A root, an intermediate and a receipt-signing leaf.
class Pki {
public:
    explicit Pki(const PkiOptions& options = {});
    ~Pki();
    Pki(const Pki&) = delete;
    Pki& operator=(const Pki&) = delete;

    QByteArray rootPem() const;

    enum class Signing { withAttributes, withoutAttributes, detached, leafOnly };
    // The payload signed as a DER CMS SignedData message.
    QByteArray sign(const QByteArray& payload, Signing signing = Signing::withAttributes) const;

private:
    struct Data;
    std::unique_ptr<Data> m_data;
};

} // namespace ReceiptFactory
