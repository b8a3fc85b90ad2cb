#include "lab/HttpsServer.h"

#include <QDateTime>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <gnutls/crypto.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <strings.h>

namespace tv::lab {

namespace {

constexpr qsizetype maxBodySize = 64 * 1024 * 1024;
constexpr unsigned nonceTimeoutSeconds = 300;

enum class AuthResult { Missing, Basic, Digest, Refused, StaleNonce };

const char* authName(AuthResult result)
{
    switch (result) {
    case AuthResult::Basic:
        return "basic";
    case AuthResult::Digest:
        return "digest";
    case AuthResult::Refused:
    case AuthResult::StaleNonce:
        return "refused";
    case AuthResult::Missing:
        break;
    }
    return "none";
}

// One request from its first header to its completion; MHD keeps the pointer for us.
struct Exchange {
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    QByteArray method;
    QByteArray path;
    QByteArray body;
    bool tooLarge = false;
    AuthResult auth = AuthResult::Missing;
    int status = 0;
    qsizetype replyBytes = 0;
    QString note;
};

QByteArray peerAddress(MHD_Connection* connection)
{
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    if (!info || !info->client_addr) return "-";
    char text[INET6_ADDRSTRLEN] = "-";
    const sockaddr* address = info->client_addr;
    if (address->sa_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    else if (address->sa_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text, sizeof text);
    return text;
}

QByteArray randomHex(int bytes)
{
    QByteArray raw(bytes, Qt::Uninitialized);
    gnutls_rnd(GNUTLS_RND_NONCE, raw.data(), static_cast<size_t>(raw.size()));
    return raw.toHex();
}

} // namespace

struct HttpsServer::Impl {
    HttpsSettings settings;
    HttpHandler handler;
    QByteArray digestRandom = randomHex(32);
    QByteArray opaque = randomHex(16);
    MHD_Daemon* daemon = nullptr;

    AuthResult authenticate(MHD_Connection* connection) const
    {
        const char* header = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_AUTHORIZATION);
        if (!header) return AuthResult::Missing;
        if (strncasecmp(header, "Basic ", 6) == 0) {
            char* password = nullptr;
            char* user = MHD_basic_auth_get_username_password(connection, &password);
            const bool ok = user && password && settings.user == user && settings.password == password;
            MHD_free(user);
            MHD_free(password);
            return ok ? AuthResult::Basic : AuthResult::Refused;
        }
        if (strncasecmp(header, "Digest ", 7) == 0) {
            const int rc =
                MHD_digest_auth_check2(connection, settings.realm.constData(), settings.user.constData(),
                                       settings.password.constData(), nonceTimeoutSeconds, MHD_DIGEST_ALG_MD5);
            if (rc == MHD_YES) return AuthResult::Digest;
            return rc == MHD_INVALID_NONCE ? AuthResult::StaleNonce : AuthResult::Refused;
        }
        return AuthResult::Refused;
    }

    MHD_Result queue(MHD_Connection* connection, Exchange& exchange, const HttpReply& reply)
    {
        MHD_Response* response = MHD_create_response_from_buffer(
            static_cast<size_t>(reply.body.size()), const_cast<char*>(reply.body.constData()), MHD_RESPMEM_MUST_COPY);
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.contentType.constData());
        const MHD_Result result = MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
        MHD_destroy_response(response);
        exchange.status = reply.status;
        exchange.replyBytes = reply.body.size();
        exchange.note = reply.note;
        return result;
    }

    // Offers both schemes in one answer; the client picks the one it prefers.
    MHD_Result challenge(MHD_Connection* connection, Exchange& exchange, bool stale)
    {
        static const char body[] = "authentication required\n";
        MHD_Response* response =
            MHD_create_response_from_buffer(sizeof body - 1, const_cast<char*>(body), MHD_RESPMEM_PERSISTENT);
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/plain; charset=utf-8");
        const QByteArray basic = "Basic realm=\"" + settings.realm + "\", charset=\"UTF-8\"";
        MHD_add_response_header(response, MHD_HTTP_HEADER_WWW_AUTHENTICATE, basic.constData());
        const MHD_Result result =
            MHD_queue_auth_fail_response2(connection, settings.realm.constData(), opaque.constData(), response,
                                          stale ? MHD_YES : MHD_NO, MHD_DIGEST_ALG_MD5);
        MHD_destroy_response(response);
        exchange.status = MHD_HTTP_UNAUTHORIZED;
        exchange.replyBytes = sizeof body - 1;
        return result;
    }

    static MHD_Result onAccess(void* self, MHD_Connection* connection, const char* url, const char* method,
                               const char* /*version*/, const char* upload, size_t* uploadSize, void** state)
    {
        auto* impl = static_cast<Impl*>(self);
        auto* exchange = static_cast<Exchange*>(*state);
        if (!exchange) {
            exchange = new Exchange;
            exchange->method = method;
            exchange->path = url;
            *state = exchange;
            return MHD_YES;
        }
        if (*uploadSize) {
            if (exchange->body.size() + static_cast<qsizetype>(*uploadSize) > maxBodySize)
                exchange->tooLarge = true;
            else
                exchange->body.append(upload, static_cast<qsizetype>(*uploadSize));
            *uploadSize = 0;
            return MHD_YES;
        }
        exchange->auth = impl->authenticate(connection);
        if (exchange->auth != AuthResult::Basic && exchange->auth != AuthResult::Digest)
            return impl->challenge(connection, *exchange, exchange->auth == AuthResult::StaleNonce);
        if (exchange->tooLarge)
            return impl->queue(connection, *exchange, {413, "request body too large\n", "text/plain", {}});
        return impl->queue(connection, *exchange, impl->handler({exchange->method, exchange->path, exchange->body}));
    }

    static void onCompleted(void* /*self*/, MHD_Connection* connection, void** state, MHD_RequestTerminationCode code)
    {
        auto* exchange = static_cast<Exchange*>(*state);
        if (!exchange) return;
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - exchange->started)
                .count();
        QByteArray line = QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8();
        line += ' ' + peerAddress(connection) + ' ' + exchange->method + ' ' + exchange->path + ' ' +
                QByteArray::number(exchange->status) + ' ' + QByteArray::number(exchange->body.size()) + "B-in " +
                QByteArray::number(exchange->replyBytes) + "B-out " + QByteArray::number(elapsed) +
                "ms auth=" + authName(exchange->auth);
        if (code != MHD_REQUEST_TERMINATED_COMPLETED_OK) line += " (connection ended early)";
        if (!exchange->note.isEmpty()) line += ' ' + exchange->note.toUtf8();
        std::fprintf(stderr, "%s\n", line.constData());
        std::fflush(stderr);
        delete exchange;
        *state = nullptr;
    }
};

HttpsServer::HttpsServer() : m_impl(std::make_unique<Impl>()) {}

HttpsServer::~HttpsServer()
{
    if (m_impl->daemon) MHD_stop_daemon(m_impl->daemon);
}

bool HttpsServer::start(const HttpsSettings& settings, HttpHandler handler, QString* error)
{
    m_impl->settings = settings;
    m_impl->handler = std::move(handler);

    sockaddr_in v4{};
    sockaddr_in6 v6{};
    const sockaddr* address = nullptr;
    unsigned flags = MHD_USE_TLS | MHD_USE_ERROR_LOG;
    const QByteArray host = settings.bindAddress.toLatin1();
    if (inet_pton(AF_INET, host.constData(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        v4.sin_port = htons(settings.port);
        address = reinterpret_cast<const sockaddr*>(&v4);
    } else if (inet_pton(AF_INET6, host.constData(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(settings.port);
        address = reinterpret_cast<const sockaddr*>(&v6);
        flags |= MHD_USE_IPv6;
    } else {
        *error = QStringLiteral("not a numeric address to listen on: %1").arg(settings.bindAddress);
        return false;
    }

    m_impl->daemon =
        MHD_start_daemon(flags, settings.port, nullptr, nullptr, &Impl::onAccess, m_impl.get(), MHD_OPTION_SOCK_ADDR,
                         address, MHD_OPTION_HTTPS_MEM_KEY, m_impl->settings.keyPem.constData(),
                         MHD_OPTION_HTTPS_MEM_CERT, m_impl->settings.certificatePem.constData(),
                         MHD_OPTION_NOTIFY_COMPLETED, &Impl::onCompleted, m_impl.get(), MHD_OPTION_DIGEST_AUTH_RANDOM,
                         static_cast<size_t>(m_impl->digestRandom.size()), m_impl->digestRandom.constData(),
                         MHD_OPTION_NONCE_NC_SIZE, 1000u, MHD_OPTION_CONNECTION_TIMEOUT, 900u, MHD_OPTION_END);
    if (!m_impl->daemon) {
        *error = QStringLiteral("cannot listen on %1:%2 (address in use, or a bad certificate)")
                     .arg(settings.bindAddress)
                     .arg(settings.port);
        return false;
    }
    return true;
}

quint16 HttpsServer::port() const
{
    const MHD_DaemonInfo* info = MHD_get_daemon_info(m_impl->daemon, MHD_DAEMON_INFO_BIND_PORT);
    return info ? info->port : 0;
}

void HttpsServer::run(const volatile std::sig_atomic_t& stop)
{
    while (!stop)
        MHD_run_wait(m_impl->daemon, 250);
}

} // namespace tv::lab
