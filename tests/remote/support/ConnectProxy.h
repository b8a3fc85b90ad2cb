// A small HTTP proxy on loopback that only tunnels (CONNECT) and demands Basic credentials:
// the first CONNECT without them gets 407, as a customer's corporate proxy would answer.
#pragma once

#include <QByteArray>
#include <QList>
#include <memory>

namespace tv::remote::test {

class ConnectProxy {
public:
    ConnectProxy(QByteArray user, QByteArray password);
    ~ConnectProxy();

    bool start();
    quint16 port() const;
    /// The request line and Proxy-Authorization value of every CONNECT received, in order.
    QList<QByteArray> connectLines() const;
    int refusals() const; ///< how many 407 answers went out

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace tv::remote::test
