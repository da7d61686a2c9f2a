// Fuzz target: the property-list reader (XML and binary) on arbitrary bytes,
// and the licence-key walk over whatever it decodes.
#include "audit/MacLicenseEvidenceCollector.h"
#include "platform/PropertyList.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Not copied: a mapped file has no terminating zero either.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<QVariant> value = PropertyList::parse(bytes))
        (void)MacLicenseEvidenceCollector::matchingLicenseKeys(*value);
    return 0;
}
