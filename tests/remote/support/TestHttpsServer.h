// A scriptable HTTPS server on loopback for the remote tests: records every request as it
// arrives (method, path, headers in order, body) and answers as the test says, including the
// failures a real network produces: a dropped connection, a cut-off body, a stalled answer.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <functional>
#include <memory>

namespace tv::remote::test {

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

struct RecordedRequest {
    QByteArray method;
    QByteArray path;
    QByteArray version;
    HeaderList headers;
    QByteArray body;
    bool authorized = false; ///< passed the server's authentication

    QByteArray header(const QByteArray& name) const;
};

struct CannedReply {
    enum class Mode { Normal, Drop, Truncate, Stall };
    Mode mode = Mode::Normal;
    int status = 200;
    QByteArray body;
    HeaderList headers;
    int stallMs = 0;
};

inline CannedReply reply(int status, QByteArray body = {}, HeaderList headers = {})
{
    CannedReply r;
    r.status = status;
    r.body = std::move(body);
    r.headers = std::move(headers);
    return r;
}

/// A failing answer: Drop, Truncate (half of `body` then a closed connection) or Stall for `stallMs`.
inline CannedReply failing(CannedReply::Mode mode, QByteArray body = {}, int stallMs = 0)
{
    CannedReply r = reply(200, std::move(body));
    r.mode = mode;
    r.stallMs = stallMs;
    return r;
}

enum class AuthScheme { None, Basic, Digest };

struct TestServerOptions {
    QByteArray certPem;
    QByteArray keyPem;
    AuthScheme auth = AuthScheme::None;
    QByteArray user = "WebDAV";
    QByteArray password = "secret";
};

class TestHttpsServer {
public:
    using Handler = std::function<CannedReply(const RecordedRequest&)>;

    explicit TestHttpsServer(TestServerOptions options);
    ~TestHttpsServer();

    /// Starts on a free loopback port; false when the server could not start.
    bool start();
    quint16 port() const;
    QByteArray rootUrl() const;

    void setHandler(Handler handler);
    /// Every request seen so far, authenticated or not, in arrival order.
    QList<RecordedRequest> requests() const;
    void clearRequests();

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace tv::remote::test
