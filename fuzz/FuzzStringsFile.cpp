// Fuzz target: the reader of a bundle's localised strings tables (the text
// form in UTF-8 or UTF-16, and the property-list forms) on arbitrary bytes.
#include "platform/StringsFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Not copied: a mapped file has no terminating zero either.
    (void)StringsFile::parse(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
