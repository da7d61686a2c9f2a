#include "audit/ReceiptDER.h"

#include <QStringDecoder>

namespace ReceiptDER {

namespace {

constexpr quint8 setTag = 0x31;
constexpr quint8 sequenceTag = 0x30;
constexpr quint8 integerTag = 0x02;
constexpr quint8 octetStringTag = 0x04;

std::optional<QString> decodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

std::optional<Node> node(QByteArrayView bytes, qint64 offset)
{
    const qint64 n = bytes.size();
    // Written as subtractions so that no sum can overflow.
    if (offset < 0 || n < 2 || offset > n - 2)
        return std::nullopt;
    const auto byteAt = [&bytes](qint64 index) { return static_cast<quint8>(bytes[index]); };

    const quint8 tag = byteAt(offset);
    const quint8 lengthOctet = byteAt(offset + 1);
    qint64 contentStart = offset + 2;
    qint64 length = 0;
    if (lengthOctet < 0x80) {
        length = lengthOctet;
    } else {
        const int lengthBytes = lengthOctet & 0x7F;
        if (lengthBytes < 1 || lengthBytes > 4)
            return std::nullopt;
        if (n - contentStart < lengthBytes)
            return std::nullopt;
        for (int i = 0; i < lengthBytes; ++i)
            length = (length << 8) | byteAt(contentStart + i);
        contentStart += lengthBytes;
    }
    if (n - contentStart < length)
        return std::nullopt;
    const qint64 contentEnd = contentStart + length;
    return Node{tag, contentStart, contentEnd, contentEnd};
}

std::optional<QString> stringAttribute(qint64 type, quint8 expectedTag, QByteArrayView payload)
{
    const std::optional<Node> set = node(payload, 0);
    if (!set || set->tag != setTag || set->contentStart == set->contentEnd)
        return std::nullopt;

    std::optional<QByteArrayView> value;
    qint64 offset = set->contentStart;
    while (offset < set->contentEnd) {
        const std::optional<Node> element = node(payload, offset);
        if (!element)
            return std::nullopt;
        offset = element->next;
        if (element->tag != sequenceTag || element->contentEnd > set->contentEnd)
            return std::nullopt;

        const std::optional<Node> typeNode = node(payload, element->contentStart);
        if (!typeNode || typeNode->tag != integerTag)
            continue;
        const std::optional<Node> versionNode = node(payload, typeNode->next);
        if (!versionNode || versionNode->tag != integerTag)
            continue;
        const std::optional<Node> valueNode = node(payload, versionNode->next);
        if (!valueNode || valueNode->tag != octetStringTag || valueNode->next > element->contentEnd)
            continue;

        // Big-endian, unsigned; bytes beyond eight push the oldest out.
        quint64 attributeType = 0;
        for (qint64 i = typeNode->contentStart; i < typeNode->contentEnd; ++i)
            attributeType = (attributeType << 8) | static_cast<quint8>(payload[i]);

        if (attributeType == static_cast<quint64>(type)) {
            value = payload.sliced(valueNode->contentStart, valueNode->contentEnd - valueNode->contentStart);
            break;
        }
    }
    if (!value)
        return std::nullopt;

    const std::optional<Node> inner = node(*value, 0);
    if (!inner || inner->tag != expectedTag || inner->next != value->size())
        return std::nullopt;
    return decodeUtf8(value->sliced(inner->contentStart, inner->contentEnd - inner->contentStart));
}

} // namespace ReceiptDER
