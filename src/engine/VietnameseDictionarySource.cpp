#include "engine/VietnameseDictionarySource.h"

QString VietnameseDictionarySource::address(const File& file) const
{
    return rawBaseAddress + revision + QStringLiteral("/vi/") + file.name;
}

const VietnameseDictionarySource& VietnameseDictionarySource::pinned()
{
    // The office suite's dictionaries repository, at the commit tagged for its
    // 7.5.0.3 release.
    static const VietnameseDictionarySource source{
        QStringLiteral("https://raw.githubusercontent.com/LibreOffice/dictionaries/"),
        QStringLiteral("da1d9d4db2f9a45f1665dfd3da3bc3e2937290b5"),
        {
            {QStringLiteral("description.xml"),
             QStringLiteral("200e5a9764c92a327d09729b86174b35a54374d8056e42079dbbcaf3dcbede20")},
            {QStringLiteral("dictionaries.xcu"),
             QStringLiteral("8776113693d9792405c3f7f192192c53511f2b1f27d0e2ff3cf5c962f26c7f75")},
            {QStringLiteral("vi_VN.aff"),
             QStringLiteral("b58b31ba3cfbf1c5a3730f2cceb8652604180770020f291d2cf6c6fecc9721f4")},
            {QStringLiteral("vi_VN.dic"),
             QStringLiteral("21d59c8385d2ac8d708bc5dfe83b62753d7769a8b2c9c38d319ce5c57bfba0c7")},
            {QStringLiteral("LICENSES-en.txt"),
             QStringLiteral("d32e4c8faf974bdeb87da10a5951556b33744cf9b50a7f06125074e11f30d7f6")},
            {QStringLiteral("LICENSES-vi.txt"),
             QStringLiteral("e300eee4d3fd59e2886e785b63f6ded6badc7b9c6883cf73e365b59635d6128d")},
            {QStringLiteral("META-INF/manifest.xml"),
             QStringLiteral("323f38618f7e7dcdab2c3a6fc2e0bf800c79359b9df800b29959045b533fd075")},
        },
    };
    return source;
}
