// The hardware profile and the Vietnamese dictionary search.
#include "audit/AuditFileSystem.h"
#include "audit/MacInventoryClassifier.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace MacInventoryClassifier {

namespace {

// The trimmed text under key, or "—" when it is missing or not text.
QString hardwareField(const QJsonObject& entry, const char* key)
{
    const QJsonValue value = entry.value(QLatin1String(key));
    if (!value.isString())
        return QStringLiteral("—");
    return value.toString().trimmed();
}

} // namespace

std::optional<MacHardwareProfile> hardwareProfile(const QString& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    const QJsonValue value = document.object().value(QStringLiteral("SPHardwareDataType"));
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray entries = value.toArray();
    const bool allObjects =
        std::all_of(entries.begin(), entries.end(), [](const QJsonValue& element) { return element.isObject(); });
    if (entries.isEmpty() || !allObjects)
        return std::nullopt;
    const QJsonObject first = entries.first().toObject();
    return MacHardwareProfile{hardwareField(first, "machine_name"), hardwareField(first, "machine_model"),
                              hardwareField(first, "chip_type"), hardwareField(first, "physical_memory")};
}

const QSet<QString>& vietnameseDictionaryFileNames()
{
    static const QSet<QString> names{QStringLiteral("vi_vn.dic"), QStringLiteral("vi_vn.aff")};
    return names;
}

bool containsVietnameseDictionary(const QStringList& folders, const AuditFileSystem& fileSystem)
{
    for (const QString& folder : folders) {
        if (!fileSystem.exists(folder))
            continue;
        bool found = false;
        fileSystem.walk(folder, [&found](const FolderWalk::Entry& entry) {
            if (!vietnameseDictionaryFileNames().contains(entry.name.toLower()))
                return FolderWalk::Step::next;
            found = true;
            return FolderWalk::Step::stop;
        });
        if (found)
            return true;
    }
    return false;
}

} // namespace MacInventoryClassifier
