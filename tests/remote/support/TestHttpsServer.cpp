#include "TestHttpsServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <microhttpd.h>
#include <mutex>

namespace tv::remote::test {

QByteArray RecordedRequest::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

struct TestHttpsServer::Impl {
    TestServerOptions options;
    MHD_Daemon* daemon = nullptr;
    mutable std::mutex mutex;
    std::condition_variable stopping;
    bool stopped = false;
    Handler handler;
    QList<RecordedRequest> requests;
    char random[16] = "tallyvane-test!";

    static MHD_Result collectHeader(void* target, MHD_ValueKind, const char* key, const char* value)
    {
        static_cast<HeaderList*>(target)->append({QByteArray(key), QByteArray(value ? value : "")});
        return MHD_YES;
    }

    bool checkAuth(MHD_Connection* connection)
    {
        switch (options.auth) {
        case AuthScheme::None:
            return true;
        case AuthScheme::Basic: {
            char* password = nullptr;
            char* user = MHD_basic_auth_get_username_password(connection, &password);
            const bool ok = user && password && options.user == user && options.password == password;
            MHD_free(user);
            MHD_free(password);
            return ok;
        }
        case AuthScheme::Digest: {
            char* user = MHD_digest_auth_get_username(connection);
            const bool named = user && options.user == user;
            MHD_free(user);
            return named && MHD_digest_auth_check2(connection, "tallyvane-test", options.user.constData(),
                                                   options.password.constData(), 300,
                                                   MHD_DIGEST_ALG_MD5) == MHD_YES;
        }
        }
        return false;
    }

    MHD_Result refuse(MHD_Connection* connection)
    {
        static const char page[] = "authentication required";
        MHD_Response* response =
            MHD_create_response_from_buffer(sizeof page - 1, const_cast<char*>(page), MHD_RESPMEM_PERSISTENT);
        const MHD_Result rc = options.auth == AuthScheme::Basic
                                  ? MHD_queue_basic_auth_fail_response(connection, "tallyvane-test", response)
                                  : MHD_queue_auth_fail_response2(connection, "tallyvane-test", "opaque-1", response,
                                                                  MHD_NO, MHD_DIGEST_ALG_MD5);
        MHD_destroy_response(response);
        return rc;
    }

    struct Cut {
        QByteArray body;
    };

    static ssize_t cutReader(void* cls, uint64_t pos, char* buf, size_t max)
    {
        const QByteArray& body = static_cast<Cut*>(cls)->body;
        const qsizetype half = body.size() / 2;
        if (qsizetype(pos) >= half)
            return MHD_CONTENT_READER_END_WITH_ERROR;
        const size_t n = std::min(max, size_t(half - qsizetype(pos)));
        std::memcpy(buf, body.constData() + pos, n);
        return ssize_t(n);
    }

    MHD_Result answer(MHD_Connection* connection, const CannedReply& reply)
    {
        MHD_Response* response = nullptr;
        switch (reply.mode) {
        case CannedReply::Mode::Drop:
            return MHD_NO;
        case CannedReply::Mode::Stall: {
            std::unique_lock lock(mutex);
            stopping.wait_for(lock, std::chrono::milliseconds(reply.stallMs), [this] { return stopped; });
            break;
        }
        case CannedReply::Mode::Truncate:
            response = MHD_create_response_from_callback(
                uint64_t(reply.body.size()), 1024, cutReader, new Cut{reply.body},
                [](void* cls) { delete static_cast<Cut*>(cls); });
            break;
        case CannedReply::Mode::Normal:
            break;
        }
        if (!response)
            response = MHD_create_response_from_buffer(size_t(reply.body.size()),
                                                       const_cast<char*>(reply.body.constData()),
                                                       MHD_RESPMEM_MUST_COPY);
        for (const auto& [key, value] : reply.headers)
            MHD_add_response_header(response, key.constData(), value.constData());
        const MHD_Result rc = MHD_queue_response(connection, unsigned(reply.status), response);
        MHD_destroy_response(response);
        return rc;
    }

    static MHD_Result onRequest(void* cls, MHD_Connection* connection, const char* url, const char* method,
                                const char* version, const char* uploadData, size_t* uploadSize, void** state)
    {
        auto* self = static_cast<Impl*>(cls);
        auto* request = static_cast<RecordedRequest*>(*state);
        if (!request) {
            request = new RecordedRequest;
            request->method = method;
            request->path = url;
            request->version = version;
            MHD_get_connection_values(connection, MHD_HEADER_KIND, collectHeader, &request->headers);
            *state = request;
            return MHD_YES;
        }
        if (*uploadSize) {
            request->body.append(uploadData, qsizetype(*uploadSize));
            *uploadSize = 0;
            return MHD_YES;
        }
        request->authorized = self->checkAuth(connection);
        Handler handler;
        {
            std::lock_guard lock(self->mutex);
            self->requests.append(*request);
            handler = self->handler;
        }
        if (!request->authorized)
            return self->refuse(connection);
        return self->answer(connection, handler ? handler(*request) : CannedReply{});
    }

    static void onCompleted(void*, MHD_Connection*, void** state, MHD_RequestTerminationCode)
    {
        delete static_cast<RecordedRequest*>(*state);
        *state = nullptr;
    }
};

TestHttpsServer::TestHttpsServer(TestServerOptions options) : m_impl(std::make_unique<Impl>())
{
    m_impl->options = std::move(options);
}

TestHttpsServer::~TestHttpsServer()
{
    if (m_impl->daemon) {
        {
            std::lock_guard lock(m_impl->mutex);
            m_impl->stopped = true;
        }
        m_impl->stopping.notify_all();
        MHD_stop_daemon(m_impl->daemon);
    }
}

bool TestHttpsServer::start()
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = 0;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    m_impl->daemon = MHD_start_daemon(
        MHD_USE_THREAD_PER_CONNECTION | MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_TLS, 0, nullptr, nullptr,
        &Impl::onRequest, m_impl.get(), MHD_OPTION_SOCK_ADDR, &addr, MHD_OPTION_HTTPS_MEM_CERT,
        m_impl->options.certPem.constData(), MHD_OPTION_HTTPS_MEM_KEY, m_impl->options.keyPem.constData(),
        MHD_OPTION_NOTIFY_COMPLETED, &Impl::onCompleted, nullptr, MHD_OPTION_DIGEST_AUTH_RANDOM,
        sizeof m_impl->random, m_impl->random, MHD_OPTION_NONCE_NC_SIZE, 300, MHD_OPTION_END);
    return m_impl->daemon != nullptr;
}

quint16 TestHttpsServer::port() const
{
    const MHD_DaemonInfo* info = MHD_get_daemon_info(m_impl->daemon, MHD_DAEMON_INFO_BIND_PORT);
    return info ? info->port : 0;
}

QByteArray TestHttpsServer::rootUrl() const
{
    return "https://127.0.0.1:" + QByteArray::number(port());
}

void TestHttpsServer::setHandler(Handler handler)
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->handler = std::move(handler);
}

QList<RecordedRequest> TestHttpsServer::requests() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->requests;
}

void TestHttpsServer::clearRequests()
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->requests.clear();
}

} // namespace tv::remote::test
