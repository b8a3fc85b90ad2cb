// The laboratory link's HTTP client on libcurl: one form request per call, a fresh connection
// each time, cookies kept for the client's life, HTTP authentication answered on a challenge.
// The transfer runs on a worker thread while the caller waits in a local event loop that keeps
// windows painting (user input excluded); without a Qt application it simply runs in place.
#pragma once

#include "remote/FormEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

namespace tv::remote {

struct ProxyConfig {
    QString server; ///< empty: no proxy
    QString user;
    QString password;
    int port = 8080;
};

struct HttpSettings {
    QString password = QStringLiteral("portal!quinceleaf361"); ///< of the user "WebDAV", sent when challenged
    QString caFile;          ///< an extra trusted CA (PEM), added to the system's bundle
    bool verifyTls = true;   ///< false only on an explicit request of the installation
    int timeoutMs = 600000;  ///< whole request, from connecting to the last byte
    ProxyConfig proxy;
};

struct HttpResult {
    bool ok = false;   ///< completed with a status below 400
    int status = 0;    ///< 0 when no HTTP answer arrived
    QByteArray body;
    QString error;     ///< why it failed, for logs
};

class HttpClient {
public:
    explicit HttpClient(HttpSettings settings = {});
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    HttpSettings& settings() { return m_settings; }
    const HttpSettings& settings() const { return m_settings; }

    /// Sends `fields` as a form body with `method` ("GET" or "POST") to `url` and waits for the answer.
    HttpResult send(const QByteArray& method, const QString& url, const QList<FormField>& fields);

    struct Cookies;

private:
    HttpResult perform(const QByteArray& method, const QString& url, const QByteArray& body) const;

    HttpSettings m_settings;
    std::unique_ptr<Cookies> m_cookies;
};

} // namespace tv::remote
