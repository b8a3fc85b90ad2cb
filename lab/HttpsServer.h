// The laboratory's HTTPS front: libmicrohttpd over GnuTLS, answering Basic and Digest
// challenges for one user. It reads the whole body of every request, whatever its method
// (the client's queries are GETs with a form body), before it decides anything, and runs
// all requests on the thread that calls `run`, so the handler may use that thread's database.
#pragma once

#include <QByteArray>
#include <QString>
#include <csignal>
#include <functional>
#include <memory>

namespace tv::lab {

struct HttpRequest {
    QByteArray method;
    QByteArray path;
    QByteArray body;
};

struct HttpReply {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/plain; charset=utf-8";
    QString note; ///< appended to the request's log line
};

using HttpHandler = std::function<HttpReply(const HttpRequest&)>;

struct HttpsSettings {
    QString bindAddress;
    quint16 port = 0;
    QByteArray certificatePem;
    QByteArray keyPem;
    QByteArray user;
    QByteArray password;
    QByteArray realm;
};

class HttpsServer {
public:
    HttpsServer();
    ~HttpsServer();
    HttpsServer(const HttpsServer&) = delete;
    HttpsServer& operator=(const HttpsServer&) = delete;

    /// Binds and starts accepting; false with `error` filled when that is impossible.
    bool start(const HttpsSettings& settings, HttpHandler handler, QString* error);
    /// The port actually bound (the one asked for, or the free one picked for port 0).
    quint16 port() const;
    /// Serves requests on the calling thread until `stop` becomes non-zero.
    void run(const volatile std::sig_atomic_t& stop);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace tv::lab
