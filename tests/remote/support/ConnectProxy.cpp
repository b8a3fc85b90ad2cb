#include "ConnectProxy.h"

#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tv::remote::test {

struct ConnectProxy::Impl {
    QByteArray expectedAuth;
    int listener = -1;
    quint16 port = 0;
    std::atomic<bool> stop{false};
    std::thread acceptor;
    std::vector<std::thread> workers;
    mutable std::mutex mutex;
    QList<QByteArray> lines;
    int refusals = 0;

    static bool sendAll(int fd, const QByteArray& data)
    {
        qsizetype sent = 0;
        while (sent < data.size()) {
            const ssize_t n = ::send(fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += n;
        }
        return true;
    }

    /// Waits for `fd` to be readable, watching the stop flag; false on stop or error.
    bool waitReadable(int fd) const
    {
        while (!stop) {
            pollfd p{fd, POLLIN, 0};
            const int rc = ::poll(&p, 1, 100);
            if (rc > 0)
                return true;
            if (rc < 0)
                return false;
        }
        return false;
    }

    static int connectTo(const QByteArray& hostPort)
    {
        const qsizetype colon = hostPort.lastIndexOf(':');
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(quint16(hostPort.mid(colon + 1).toUInt()));
        if (colon < 0 || inet_pton(AF_INET, hostPort.left(colon).constData(), &addr.sin_addr) != 1)
            return -1;
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    void relay(int a, int b) const
    {
        char buf[16384];
        while (!stop) {
            pollfd p[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
            if (::poll(p, 2, 100) < 0)
                return;
            for (int i = 0; i < 2; ++i) {
                if (!(p[i].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                const ssize_t n = ::recv(p[i].fd, buf, sizeof buf, 0);
                if (n <= 0 || !sendAll(p[1 - i].fd, QByteArray(buf, n)))
                    return;
            }
        }
    }

    void serve(int client)
    {
        QByteArray buffer;
        char chunk[4096];
        while (waitReadable(client)) {
            const ssize_t n = ::recv(client, chunk, sizeof chunk, 0);
            if (n <= 0)
                break;
            buffer.append(chunk, n);
            const qsizetype end = buffer.indexOf("\r\n\r\n");
            if (end < 0)
                continue;
            const QList<QByteArray> headerLines = buffer.left(end).split('\n');
            buffer.remove(0, end + 4);
            const QByteArray requestLine = headerLines.value(0).trimmed();
            QByteArray auth;
            for (const QByteArray& line : headerLines) {
                if (line.toLower().startsWith("proxy-authorization:"))
                    auth = line.mid(line.indexOf(':') + 1).trimmed();
            }
            {
                std::lock_guard lock(mutex);
                lines.append(requestLine + " | " + auth);
            }
            const QList<QByteArray> parts = requestLine.split(' ');
            if (parts.value(0) != "CONNECT") {
                sendAll(client, "HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                break;
            }
            if (auth != expectedAuth) {
                {
                    std::lock_guard lock(mutex);
                    ++refusals;
                }
                sendAll(client, "HTTP/1.1 407 Proxy Authentication Required\r\n"
                                "Proxy-Authenticate: Basic realm=\"test proxy\"\r\nContent-Length: 0\r\n\r\n");
                continue;
            }
            const int upstream = connectTo(parts.value(1));
            if (upstream < 0) {
                sendAll(client, "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                break;
            }
            if (sendAll(client, "HTTP/1.1 200 Connection established\r\n\r\n") &&
                (buffer.isEmpty() || sendAll(upstream, buffer)))
                relay(client, upstream);
            ::close(upstream);
            break;
        }
        ::close(client);
    }

    void acceptLoop()
    {
        while (waitReadable(listener)) {
            const int client = ::accept(listener, nullptr, nullptr);
            if (client >= 0)
                workers.emplace_back([this, client] { serve(client); });
        }
    }
};

ConnectProxy::ConnectProxy(QByteArray user, QByteArray password) : m_impl(std::make_unique<Impl>())
{
    m_impl->expectedAuth = "Basic " + (user + ":" + password).toBase64();
}

ConnectProxy::~ConnectProxy()
{
    m_impl->stop = true;
    if (m_impl->acceptor.joinable())
        m_impl->acceptor.join();
    for (std::thread& t : m_impl->workers)
        t.join();
    if (m_impl->listener >= 0)
        ::close(m_impl->listener);
}

bool ConnectProxy::start()
{
    m_impl->listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(m_impl->listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_impl->listener, 16) != 0 ||
        ::getsockname(m_impl->listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        return false;
    m_impl->port = ntohs(addr.sin_port);
    m_impl->acceptor = std::thread([this] { m_impl->acceptLoop(); });
    return true;
}

quint16 ConnectProxy::port() const
{
    return m_impl->port;
}

QList<QByteArray> ConnectProxy::connectLines() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->lines;
}

int ConnectProxy::refusals() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->refusals;
}

} // namespace tv::remote::test
