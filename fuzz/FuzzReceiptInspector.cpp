// Fuzz target: the whole receipt check on raw receipt bytes, trusting the
// throwaway root that signed the sample receipts (so the trusted path is
// reachable too).
#include "FuzzReceiptRoot.h"

#include "audit/MacAppStoreReceiptInspector.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ReceiptTrustAnchors anchors = ReceiptTrustAnchors::fromPem(FuzzReceiptRoot::pem);
    // Not copied: a mapped receipt file has no terminating zero either.
    const QByteArray receipt = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)MacAppStoreReceiptInspector::inspectBytes(receipt, QStringLiteral("com.cedarlabs.Ledger"), anchors);
    return 0;
}
