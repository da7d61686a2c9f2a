// Fuzz target: the readers of the backend's answers and of what the program
// keeps of them. The first byte picks the reader ("0" to "4", any other byte
// taken by its distance from "0" modulo 5), the rest is the answer:
//   0  catalog rows: the sync answer, its cache file read back, the overlay
//   1  business device configuration: its message, policies read back, the filter
//   2  release policy and the check of its download link
//   3  technician workspace: its message and the branding the PDF header reads
//   4  audit records (InstalledMacApplication, AppLicenseEvidence)
// Every answer is also decoded as the request frame decodes a body and turned
// into the message of a failed call.
#include "audit/MacReportPDF.h"
#include "catalog/Catalog.h"
#include "cloud/CloudJson.h"
#include "cloud/ReleasePolicy.h"
#include "cloud/SupabaseClient.h"
#include "cloud/SupabaseRequestFrame.h"
#include "model/AppLicenseEvidence.h"
#include "model/InstalledMacApplication.h"
#include "model/ReleaseDownloadPolicy.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const SupabaseRequestFrame& frame()
{
    static const SupabaseRequestFrame frame(
        SupabaseClient::makeConfig(QStringLiteral("https://fuzz.supabase.co"), QStringLiteral("anon-key"), {}),
        SupabaseClient::defaultTimeout, QSslConfiguration());
    return frame;
}

// Stops the run when a property that must hold does not.
void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The rows a sync stores: an array of objects only.
std::optional<QJsonArray> objectArray(const QJsonValue& value)
{
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray array = value.toArray();
    for (const QJsonValue element : array) {
        if (!element.isObject())
            return std::nullopt;
    }
    return array;
}

// A stored answer read back: the rows the cache file keeps under member.
void readBack(const QJsonObject& stored, QLatin1String member)
{
    const QByteArray file = QJsonDocument(stored).toJson(QJsonDocument::Indented);
    const QList<QJsonObject> rows = CloudJson::objectRows(file, member);
    if (const std::optional<QJsonArray> written = objectArray(stored.value(member)))
        require(rows.size() == written->size());
    else
        require(rows.isEmpty());
}

void catalogRows(const QByteArray& bytes, const QJsonValue& body)
{
    if (const std::optional<QJsonArray> rows = objectArray(body))
        readBack(QJsonObject{{QStringLiteral("items"), *rows}, {QStringLiteral("synced_at"), QStringLiteral("now")}},
                 QLatin1String("items"));
    (void)Catalog::applyingCloudOverlay(CloudJson::objectRows(bytes, QLatin1String("items")), Catalog::items());
}

void businessConfig(const QByteArray& bytes, const QJsonValue& body)
{
    if (body.isObject()) {
        (void)SupabaseClient::businessConfigAppliedText(body.toObject());
        readBack(body.toObject(), QLatin1String("policies"));
    }
    (void)Catalog::applyingBusinessPolicies(CloudJson::objectRows(bytes, QLatin1String("policies")), Catalog::items());
}

void releasePolicy(const QJsonValue& body)
{
    if (!body.isObject())
        return;
    const ReleasePolicy policy = ReleasePolicy::fromJson(body.toObject());
    (void)ReleaseDownloadPolicy::validatedURL(policy.downloadURL);
}

void workspace(const QByteArray& bytes, const QJsonValue& body)
{
    if (body.isObject())
        (void)SupabaseClient::workspaceSyncedText(body.toObject());
    // The PDF header reads the cache file, which holds the answer.
    static QTemporaryDir cacheFolder;
    QFile file(cacheFolder.filePath(QString::fromLatin1(MacReportPDF::workspaceCacheFileName)));
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    file.close();
    (void)MacReportPDF::loadWorkspaceBranding(cacheFolder.path());
}

// A record that decodes must encode to what decodes to it again.
void auditRecords(const QByteArray& bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (document.isArray()) {
        if (const auto list = InstalledMacApplication::listFromJson(document.array()))
            require(InstalledMacApplication::listFromJson(InstalledMacApplication::toJsonArray(*list)) == list);
        return;
    }
    const QJsonObject object = document.object();
    if (const auto application = InstalledMacApplication::fromJson(object))
        require(InstalledMacApplication::fromJson(application->toJson()) == application);
    if (const auto evidence = AppLicenseEvidence::fromJson(object))
        require(AppLicenseEvidence::fromJson(evidence->toJson()) == evidence);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QJsonValue body = CloudJson::parseJSON(bytes);
    (void)frame().responseErrorText(body);
    switch (uint8_t(data[0] - '0') % 5) {
    case 0:
        catalogRows(bytes, body);
        break;
    case 1:
        businessConfig(bytes, body);
        break;
    case 2:
        releasePolicy(body);
        break;
    case 3:
        workspace(bytes, body);
        break;
    case 4:
        auditRecords(bytes);
        break;
    }
    return 0;
}
