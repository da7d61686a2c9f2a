#pragma once

#include "support/TestCertificateAuthority.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QSslConfiguration>
#include <QString>

#include <memory>

class QThread;
class LoopbackHttpsWorker;

// A real HTTPS server on 127.0.0.1 with an ephemeral port, for tests of the
// backend client. Its certificate is issued at start by a certificate
// authority made at test time (IP address 127.0.0.1 and the name localhost in
// its alternative names); a client trusts it through clientConfiguration(),
// with every check left on.
//
// The server runs on its own thread, so a test may call a blocking client on
// any thread. It records every request it reads whole and answers from a
// per-test script: one-shot answers queued for a path, then a standing answer
// for the path, then the default answer (404 with {"error":"not_found"}).
// Every answer closes its connection.
class LoopbackHttpsServer {
public:
    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        QList<QPair<QByteArray, QByteArray>> headers; // further headers, e.g. Location
        bool hang = false; // record the request and never answer
        qint64 declaredLength = -1; // a Content-Length other than the body's (a body cut short)

        static Response json(int status, const QByteArray& body);
        static Response text(int status, const QByteArray& body, const QByteArray& contentType = "text/plain");
        static Response redirect(int status, const QByteArray& location);
        static Response hanging();
        // Announces a longer body than it sends, then closes the connection.
        static Response cutShort(int status, const QByteArray& body);
    };

    struct Request {
        QByteArray method;
        QString path; // percent-decoded, without the query
        QList<QPair<QString, QString>> query; // percent-decoded, in the order sent
        QList<QPair<QByteArray, QByteArray>> headers; // in the order sent, names as sent
        QByteArray body;

        // The first header with this name (letter case ignored); empty when absent.
        QByteArray header(const QByteArray& name) const;
        bool hasHeader(const QByteArray& name) const;
        QStringList queryNames() const;
        QString queryValue(const QString& name) const;
    };

    // Starts listening at once; throws std::runtime_error when it cannot.
    LoopbackHttpsServer();
    ~LoopbackHttpsServer();
    LoopbackHttpsServer(const LoopbackHttpsServer&) = delete;
    LoopbackHttpsServer& operator=(const LoopbackHttpsServer&) = delete;

    quint16 port() const { return m_port; }
    // "https://127.0.0.1:<port>"
    QString baseUrl() const;
    // The same server under the name localhost (another host to the client).
    QString localhostUrl() const;

    const TestCertificateAuthority& certificateAuthority() const { return m_authority; }
    // Trusts exactly this server's authority; peer and host-name checks on.
    QSslConfiguration clientConfiguration() const { return m_authority.clientConfiguration(); }

    void respond(const QString& path, const Response& response);
    void respondOnce(const QString& path, const Response& response);
    void setDefaultResponse(const Response& response);

    // Requests read whole so far, in arrival order.
    QList<Request> requests() const;
    void clearRequests();
    // TLS handshakes that clients began with this server.
    int handshakesStarted() const;

    // Stops listening and drops every connection; the port is then closed.
    void stop();

private:
    friend class LoopbackHttpsWorker;
    Response takeResponse(const QString& path);
    void record(const Request& request);
    void countHandshake();

    TestCertificateAuthority m_authority;
    quint16 m_port = 0;
    std::unique_ptr<QThread> m_thread;
    LoopbackHttpsWorker* m_worker = nullptr;

    mutable QMutex m_mutex;
    QHash<QString, QList<Response>> m_once;
    QHash<QString, Response> m_standing;
    Response m_default;
    QList<Request> m_requests;
    int m_handshakes = 0;
};
