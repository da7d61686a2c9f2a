// Fuzz target: the receipt payload's DER reader on arbitrary bytes.
// The first byte picks the attribute asked for; the rest is the payload.
#include "audit/ReceiptDER.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArrayView payload(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const qint64 type = data[0] & 0x80 ? qint64(data[0] & 0x7F) : (data[0] & 1 ? 12 : 2);
    const quint8 tag = data[0] & 1 ? 0x16 : 0x0C;
    (void)ReceiptDER::stringAttribute(type, tag, payload);

    // Every header the reader can be pointed at, including past the end.
    for (qint64 offset = -1; offset <= payload.size() && offset < 256; ++offset) {
        if (const std::optional<ReceiptDER::Node> node = ReceiptDER::node(payload, offset)) {
            if (node->contentStart < 0 || node->contentEnd > payload.size() || node->contentStart > node->contentEnd)
                __builtin_trap();
        }
    }
    return 0;
}
