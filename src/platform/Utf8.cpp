#include "platform/Utf8.h"

namespace {

enum class Scan { valid, invalid, incompleteAtEnd };

struct ScanResult {
    Scan scan;
    qsizetype tailStart;
};

// The length of the sequence a lead byte opens and the allowed range of its
// second byte; length 0 marks a byte that cannot open a sequence.
struct Lead {
    int length;
    unsigned char low;
    unsigned char high;
};

Lead leadOf(unsigned char byte)
{
    if (byte < 0x80)
        return {1, 0, 0};
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte == 0xE0)
        return {3, 0xA0, 0xBF};
    if (byte == 0xED)
        return {3, 0x80, 0x9F};
    if (byte >= 0xE1 && byte <= 0xEF)
        return {3, 0x80, 0xBF};
    if (byte == 0xF0)
        return {4, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3)
        return {4, 0x80, 0xBF};
    if (byte == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

ScanResult scan(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype index = 0;
    while (index < size) {
        const Lead lead = leadOf(data[index]);
        if (lead.length == 0)
            return {Scan::invalid, index};
        for (int offset = 1; offset < lead.length; ++offset) {
            if (index + offset >= size)
                return {Scan::incompleteAtEnd, index};
            const unsigned char byte = data[index + offset];
            const unsigned char low = offset == 1 ? lead.low : 0x80;
            const unsigned char high = offset == 1 ? lead.high : 0xBF;
            if (byte < low || byte > high)
                return {Scan::invalid, index};
        }
        index += lead.length;
    }
    return {Scan::valid, size};
}

} // namespace

namespace Utf8 {

bool isValid(QByteArrayView bytes)
{
    return scan(bytes).scan == Scan::valid;
}

std::optional<QString> decode(QByteArrayView bytes)
{
    if (!isValid(bytes))
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

qsizetype incompleteTail(QByteArrayView bytes)
{
    // Only the last three bytes can hold an unfinished character; look for
    // the last byte that opens a sequence.
    const qsizetype from = bytes.size() > 3 ? bytes.size() - 3 : 0;
    for (qsizetype start = bytes.size() - 1; start >= from; --start) {
        const auto byte = static_cast<unsigned char>(bytes.at(start));
        if (byte < 0x80)
            return 0;
        if (byte < 0xC0)
            continue;
        const ScanResult result = scan(bytes.sliced(start));
        return result.scan == Scan::incompleteAtEnd && result.tailStart == 0 ? bytes.size() - start : 0;
    }
    return 0;
}

} // namespace Utf8
