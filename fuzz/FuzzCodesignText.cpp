// Fuzz target: the readers of codesign's text, of copyright notices and of
// names and identifiers, on arbitrary (also invalid) UTF-8.
#include "audit/MacInventoryClassifier.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const bool verified : {true, false}) {
        const MacInventoryClassifier::SignatureFields fields = MacInventoryClassifier::signatureFields(text, verified);
        (void)MacInventoryClassifier::developerName(text, text, text, fields.teamIdentifier);
    }
    (void)MacInventoryClassifier::inferredDeveloperName(text, text, QStringLiteral("Homebrew formula"));
    (void)MacInventoryClassifier::inferredDeveloperName(text, text, QStringLiteral("/Applications"));
    return 0;
}
