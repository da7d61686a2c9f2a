#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

// A minimal reader of the DER-encoded App Store receipt payload: one SET of
// SEQUENCE { INTEGER type, INTEGER version, OCTET STRING value } attributes.
// Every offset and length is checked against the buffer before use.
namespace ReceiptDER {

// One element header; offsets count bytes from the start of the buffer.
struct Node {
    quint8 tag = 0;          // the identifier octet, taken whole
    qint64 contentStart = 0; // first content byte
    qint64 contentEnd = 0;   // just past the last content byte
    qint64 next = 0;         // the following element; always contentEnd

    bool operator==(const Node&) const = default;
};

// The element whose header starts at offset, or nothing when the header is
// malformed (indefinite or over-long length form) or the element does not
// fit in the buffer.
std::optional<Node> node(QByteArrayView bytes, qint64 offset);

// The string of the first attribute of the given type whose value is one
// complete DER string element with expectedTag filling the OCTET STRING,
// decoded as UTF-8; nothing otherwise.
std::optional<QString> stringAttribute(qint64 type, quint8 expectedTag, QByteArrayView payload);

} // namespace ReceiptDER
