#include "support/LoopbackHttpsServer.h"

#include <QHostAddress>
#include <QMutexLocker>
#include <QSslServer>
#include <QSslSocket>
#include <QThread>
#include <QUrl>

#include <stdexcept>

// Lives on the server thread: owns the listening socket and the connections.
class LoopbackHttpsWorker : public QObject {
    Q_OBJECT

public:
    explicit LoopbackHttpsWorker(LoopbackHttpsServer* owner) : m_owner(owner) {}

    quint16 listen(const QSslConfiguration& configuration)
    {
        m_server = new QSslServer(this);
        m_server->setSslConfiguration(configuration);
        QObject::connect(m_server, &QSslServer::startedEncryptionHandshake, this,
                         [this](QSslSocket*) { m_owner->countHandshake(); });
        QObject::connect(m_server, &QTcpServer::pendingConnectionAvailable, this, [this] { acceptPending(); });
        if (!m_server->listen(QHostAddress::LocalHost, 0))
            return 0;
        return m_server->serverPort();
    }

    void stop()
    {
        if (m_server) {
            m_server->close();
            const auto sockets = m_server->findChildren<QSslSocket*>();
            for (QSslSocket* socket : sockets)
                socket->abort();
        }
        const auto sockets = findChildren<QSslSocket*>();
        for (QSslSocket* socket : sockets) {
            socket->abort();
            socket->deleteLater();
        }
    }

private:
    void acceptPending()
    {
        while (m_server->hasPendingConnections()) {
            auto* socket = qobject_cast<QSslSocket*>(m_server->nextPendingConnection());
            if (!socket)
                continue;
            socket->setParent(this);
            QObject::connect(socket, &QSslSocket::readyRead, this, [this, socket] { readFrom(socket); });
            QObject::connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QObject::destroyed, this, [this, socket] { m_buffers.remove(socket); });
            if (socket->bytesAvailable() > 0)
                readFrom(socket);
        }
    }

    void readFrom(QSslSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer.append(socket->readAll());
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0 || socket->property("answered").toBool())
            return;

        LoopbackHttpsServer::Request request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        const QByteArray target = requestLine.value(1);
        qsizetype contentLength = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed();
            const QByteArray value = line.mid(colon + 1).trimmed();
            request.headers.append({name, value});
            if (name.compare("content-length", Qt::CaseInsensitive) == 0)
                contentLength = value.toLongLong();
        }
        if (buffer.size() < headerEnd + 4 + contentLength)
            return;
        request.body = buffer.mid(headerEnd + 4, contentLength);

        const qsizetype questionMark = target.indexOf('?');
        request.path = QUrl::fromPercentEncoding(questionMark < 0 ? target : target.left(questionMark));
        if (questionMark >= 0) {
            for (const QByteArray& item : target.mid(questionMark + 1).split('&')) {
                const qsizetype equals = item.indexOf('=');
                const QByteArray name = equals < 0 ? item : item.left(equals);
                const QByteArray value = equals < 0 ? QByteArray() : item.mid(equals + 1);
                request.query.append({QUrl::fromPercentEncoding(name), QUrl::fromPercentEncoding(value)});
            }
        }

        socket->setProperty("answered", true);
        m_buffers.remove(socket);
        m_owner->record(request);
        const LoopbackHttpsServer::Response response = m_owner->takeResponse(request.path);
        if (response.hang)
            return;

        QByteArray answer = "HTTP/1.1 " + QByteArray::number(response.status) + " " + reason(response.status) + "\r\n";
        if (!response.contentType.isEmpty())
            answer += "Content-Type: " + response.contentType + "\r\n";
        for (const auto& [name, value] : response.headers)
            answer += name + ": " + value + "\r\n";
        const qint64 length = response.declaredLength >= 0 ? response.declaredLength : response.body.size();
        answer += "Content-Length: " + QByteArray::number(length) + "\r\n";
        answer += "Connection: close\r\n\r\n";
        answer += response.body;
        socket->write(answer);
        socket->disconnectFromHost();
    }

    static QByteArray reason(int status)
    {
        switch (status) {
        case 200: return "OK";
        case 201: return "Created";
        case 204: return "No Content";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 307: return "Temporary Redirect";
        case 308: return "Permanent Redirect";
        case 400: return "Bad Request";
        case 401: return "Unauthorized";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        case 502: return "Bad Gateway";
        default: return "Status";
        }
    }

    LoopbackHttpsServer* m_owner;
    QSslServer* m_server = nullptr;
    QHash<QSslSocket*, QByteArray> m_buffers;
};

LoopbackHttpsServer::Response LoopbackHttpsServer::Response::json(int status, const QByteArray& body)
{
    Response response;
    response.status = status;
    response.body = body;
    return response;
}

LoopbackHttpsServer::Response LoopbackHttpsServer::Response::text(int status, const QByteArray& body,
                                                                  const QByteArray& contentType)
{
    Response response = json(status, body);
    response.contentType = contentType;
    return response;
}

LoopbackHttpsServer::Response LoopbackHttpsServer::Response::redirect(int status, const QByteArray& location)
{
    Response response = text(status, {}, {});
    response.headers.append({"Location", location});
    return response;
}

LoopbackHttpsServer::Response LoopbackHttpsServer::Response::hanging()
{
    Response response;
    response.hang = true;
    return response;
}

LoopbackHttpsServer::Response LoopbackHttpsServer::Response::cutShort(int status, const QByteArray& body)
{
    Response response = json(status, body);
    response.declaredLength = body.size() + 100;
    return response;
}

QByteArray LoopbackHttpsServer::Request::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

bool LoopbackHttpsServer::Request::hasHeader(const QByteArray& name) const
{
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList LoopbackHttpsServer::Request::queryNames() const
{
    QStringList names;
    for (const auto& item : query)
        names.append(item.first);
    return names;
}

QString LoopbackHttpsServer::Request::queryValue(const QString& name) const
{
    for (const auto& [key, value] : query) {
        if (key == name)
            return value;
    }
    return {};
}

LoopbackHttpsServer::LoopbackHttpsServer()
    : m_default(Response::json(404, R"({"error":"not_found"})"))
{
    const auto identity =
        m_authority.issueServerCertificate({QStringLiteral("127.0.0.1")}, {QStringLiteral("localhost")});
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificateChain({identity.certificate, m_authority.certificate()});
    configuration.setPrivateKey(identity.privateKey);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);

    m_thread = std::make_unique<QThread>();
    m_thread->setObjectName(QStringLiteral("LoopbackHttpsServer"));
    m_worker = new LoopbackHttpsWorker(this);
    m_worker->moveToThread(m_thread.get());
    QObject::connect(m_thread.get(), &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
    QMetaObject::invokeMethod(
        m_worker, [this, configuration] { m_port = m_worker->listen(configuration); },
        Qt::BlockingQueuedConnection);
    if (m_port == 0) {
        m_thread->quit();
        m_thread->wait();
        throw std::runtime_error("LoopbackHttpsServer: cannot listen on 127.0.0.1");
    }
}

LoopbackHttpsServer::~LoopbackHttpsServer()
{
    stop();
    m_thread->quit();
    m_thread->wait();
}

QString LoopbackHttpsServer::baseUrl() const
{
    return QStringLiteral("https://127.0.0.1:%1").arg(m_port);
}

QString LoopbackHttpsServer::localhostUrl() const
{
    return QStringLiteral("https://localhost:%1").arg(m_port);
}

void LoopbackHttpsServer::respond(const QString& path, const Response& response)
{
    QMutexLocker locker(&m_mutex);
    m_standing.insert(path, response);
}

void LoopbackHttpsServer::respondOnce(const QString& path, const Response& response)
{
    QMutexLocker locker(&m_mutex);
    m_once[path].append(response);
}

void LoopbackHttpsServer::setDefaultResponse(const Response& response)
{
    QMutexLocker locker(&m_mutex);
    m_default = response;
}

QList<LoopbackHttpsServer::Request> LoopbackHttpsServer::requests() const
{
    QMutexLocker locker(&m_mutex);
    return m_requests;
}

void LoopbackHttpsServer::clearRequests()
{
    QMutexLocker locker(&m_mutex);
    m_requests.clear();
    m_handshakes = 0;
}

int LoopbackHttpsServer::handshakesStarted() const
{
    QMutexLocker locker(&m_mutex);
    return m_handshakes;
}

void LoopbackHttpsServer::stop()
{
    if (m_thread->isRunning())
        QMetaObject::invokeMethod(m_worker, [this] { m_worker->stop(); }, Qt::BlockingQueuedConnection);
}

LoopbackHttpsServer::Response LoopbackHttpsServer::takeResponse(const QString& path)
{
    QMutexLocker locker(&m_mutex);
    auto once = m_once.find(path);
    if (once != m_once.end() && !once->isEmpty())
        return once->takeFirst();
    return m_standing.value(path, m_default);
}

void LoopbackHttpsServer::record(const Request& request)
{
    QMutexLocker locker(&m_mutex);
    m_requests.append(request);
}

void LoopbackHttpsServer::countHandshake()
{
    QMutexLocker locker(&m_mutex);
    ++m_handshakes;
}

#include "LoopbackHttpsServer.moc"
