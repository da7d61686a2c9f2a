#include "cloud/SupabaseRequestFrame.h"

#include "cloud/CloudJson.h"
#include "cloud/SupabaseEndpointPolicy.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

const char* const notConfiguredText = "Chưa cấu hình Supabase.";
const char* const endpointRefusedText = "Endpoint Supabase phải dùng HTTPS và cùng host với project đã cấu hình.";
const char* const invalidPayloadText = "Payload JSON không hợp lệ: ";
const char* const nonFiniteNumberText = "JSON không ghi được số không hữu hạn (NaN hoặc vô cực).";
const char* const timedOutText = "Hết thời gian chờ phản hồi từ Supabase.";

// JSON has no text for NaN or infinity; a payload holding one cannot be sent.
bool hasOnlyFiniteNumbers(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Double:
        return std::isfinite(value.toDouble());
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        return std::all_of(array.begin(), array.end(), [](const QJsonValue& v) { return hasOnlyFiniteNumbers(v); });
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        return std::all_of(object.begin(), object.end(), [](const QJsonValue& v) { return hasOnlyFiniteNumbers(v); });
    }
    default:
        return true;
    }
}

// Failures below the HTTP layer (connection, TLS, time-out) and answers
// that broke off after their status line (a body cut short or garbled).
bool isTransportError(QNetworkReply::NetworkError error)
{
    return (error != QNetworkReply::NoError && error < QNetworkReply::ProxyConnectionRefusedError)
        || error == QNetworkReply::ProtocolFailure;
}

} // namespace

SupabaseRequestFrame::SupabaseRequestFrame(std::optional<SupabaseConfig> config, std::chrono::milliseconds timeout,
                                           QSslConfiguration tls)
    : m_config(std::move(config)), m_timeout(timeout), m_tls(std::move(tls))
{
}

SupabaseRequestFrame::Result SupabaseRequestFrame::requestJSON(const QString& url, const QString& method,
                                                               const std::optional<QJsonObject>& payload) const
{
    if (!m_config)
        return {false, QString::fromUtf8(notConfiguredText)};

    const QUrl endpoint(url, QUrl::StrictMode);
    if (!endpoint.isValid() || !SupabaseEndpointPolicy::allows(endpoint, m_config->url()))
        return {false, QString::fromUtf8(endpointRefusedText)};

    QNetworkRequest request(endpoint);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(static_cast<int>(m_timeout.count()));
    request.setSslConfiguration(m_tls);
    const QByteArray key = m_config->anonKey().toUtf8();
    request.setRawHeader("apikey", key);
    request.setRawHeader("Authorization", "Bearer " + key);
    request.setRawHeader("Accept", "application/json");

    QByteArray body;
    if (payload) {
        if (!hasOnlyFiniteNumbers(*payload))
            return {false, QString::fromUtf8(invalidPayloadText) + QString::fromUtf8(nonFiniteNumberText)};
        body = QJsonDocument(*payload).toJson(QJsonDocument::Compact);
        request.setRawHeader("Content-Type", "application/json");
    }

    QNetworkAccessManager manager;
    manager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = payload ? manager.sendCustomRequest(request, method.toLatin1(), body)
                                   : manager.sendCustomRequest(request, method.toLatin1());
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    const QByteArray data = reply->isOpen() ? reply->readAll() : QByteArray();
    delete reply;

    if (isTransportError(error) || (!statusAttribute.isValid() && error != QNetworkReply::NoError)) {
        if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
            return {false, QString::fromUtf8(timedOutText)};
        return {false, redacted(errorText)};
    }

    // A status code makes it an HTTP response; only 2xx is success. An answer
    // without a status is not HTTP and counts as success.
    const QJsonValue decoded = CloudJson::parseJSON(data);
    const int status = statusAttribute.toInt();
    if (!statusAttribute.isValid() || (status >= 200 && status <= 299))
        return {true, decoded.isUndefined() ? QJsonValue(QJsonObject()) : decoded};
    return {false, decoded.isUndefined() ? QJsonValue(QStringLiteral("HTTP %1").arg(status)) : decoded};
}

QString SupabaseRequestFrame::responseErrorText(const QJsonValue& body) const
{
    if (!body.isObject())
        return redacted(CloudJson::description(body));
    const QJsonObject object = body.toObject();
    const QString code = CloudJson::string(object.value(QLatin1String("error")), QStringLiteral("unknown_error"));
    QString message = code == QLatin1String("server_not_configured")
        ? QStringLiteral("Supabase function chưa cấu hình server secrets.")
        : code;
    const QString detail = CloudJson::string(object.value(QLatin1String("detail")));
    if (!detail.isEmpty())
        message += QStringLiteral(" Chi tiết: ") + detail;
    return redacted(message);
}

QString SupabaseRequestFrame::redacted(const QString& text) const
{
    if (!m_config || m_config->anonKey().isEmpty() || !text.contains(m_config->anonKey()))
        return text;
    QString copy = text;
    return copy.replace(m_config->anonKey(), QStringLiteral("[anon key]"));
}
