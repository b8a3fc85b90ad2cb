#include "support/RemoteFixture.h"

#include <QFile>
#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tv::remote;
using namespace tv::remote::test;

namespace {

using Notices = QList<QPair<QString, QString>>;

/// A loopback root URL where nothing listens: probes to it fail at once.
QString deadRoot()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return QStringLiteral("https://127.0.0.1:%1").arg(ntohs(addr.sin_port));
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class ServerDirectoryTest : public RemoteFixture {
protected:
    void SetUp() override
    {
        startServer(AuthScheme::None);
        m_live = QString::fromLatin1(m_server->rootUrl());
        m_dead = deadRoot();
    }

    /// Replaces {S} by the live server's root and {X} by a dead one.
    QStringList fill(const QStringList& lines) const
    {
        QStringList out;
        for (QString line : lines)
            out.append(line.replace("{S}", m_live).replace("{X}", m_dead));
        return out;
    }

    QList<QByteArray> probedPaths() const
    {
        QList<QByteArray> paths;
        for (const RecordedRequest& r : m_server->requests())
            paths.append(r.path);
        return paths;
    }

    QString m_live;
    QString m_dead;
};

TEST_F(ServerDirectoryTest, ListEdgeCases)
{
    const struct {
        const char* what;
        QStringList lines;
        QStringList candidates;
        QString servicePath;
        QString picked;
        QList<QByteArray> probed;
    } cases[] = {
        {"MaxAddr missing: three sections read, the missing third empties the path",
         {"[1]", "MAIN={S}", "WEB.SERVICE=/one", "[2]", "MAIN={X}", "WEB.SERVICE=/two"},
         {"{S}", "{X}"},
         "",
         "{S}",
         {"/ack"}},
        {"a section without MAIN still sets the path",
         {"[INIT]", "MaxAddr=2", "[1]", "MAIN={S}", "WEB.SERVICE=/one", "[2]", "WEB.SERVICE=/two"},
         {"{S}"},
         "/two",
         "{S}/two",
         {"/two/ack"}},
        {"main in lower case, first dead candidate skipped",
         {"[init]", "maxaddr=2", "[1]", "main={X}", "web.service=/s", "[2]", "Main={S}", "WEB.SERVICE=/s"},
         {"{X}", "{S}"},
         "/s",
         "{S}/s",
         {"/s/ack"}},
        {"BACK and NODE are never probed",
         {"[INIT]", "MaxAddr=1", "[1]", "MAIN={X}", "BACK={S}", "NODE={S}", "WEB.SERVICE=/s"},
         {"{X}"},
         "/s",
         "",
         {}},
        {"a huge MaxAddr reads like a large one, without reading two billion sections",
         {"[INIT]", "MaxAddr=2000000000", "[1]", "MAIN={S}", "WEB.SERVICE=/one"},
         {"{S}"},
         "",
         "{S}",
         {"/ack"}},
        {"MaxAddr=0 gives no candidates", {"[INIT]", "MaxAddr=0", "[1]", "MAIN={S}"}, {}, "", "", {}},
        {"MaxAddr not a number counts as 3",
         {"[INIT]", "MaxAddr=two", "[3]", "MAIN={S}", "WEB.SERVICE=/three"},
         {"{S}"},
         "/three",
         "{S}/three",
         {"/three/ack"}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        writeList(fill(tc.lines));
        m_server->clearRequests();
        m_notices.clear();
        ServerDirectory& dir = client().servers();
        dir.loadServerCandidates("MAIN");
        EXPECT_EQ(dir.serverCandidates(), fill(tc.candidates));
        EXPECT_EQ(dir.servicePath(), tc.servicePath);
        EXPECT_EQ(dir.pickServer(), fill({tc.picked}).value(0));
        QList<QByteArray> probed = tc.probed;
        if (tc.picked.isEmpty()) {
            EXPECT_EQ(m_notices, (Notices{{"Check your Internet conecction", "Conecction Error"}}));
        } else {
            EXPECT_TRUE(m_notices.isEmpty());
        }
        EXPECT_EQ(probedPaths(), probed);
    }
}

TEST_F(ServerDirectoryTest, DefaultListIsWrittenOnlyWhenMissing)
{
    RemoteClient& c = client([this](RemoteConfig& config) {
        config.servers.primary = m_dead;
        config.servers.backup = m_dead + "/backup";
        config.servers.makerHost = "http://maker.invalid";
    });
    c.remoteQuery("SELECT 1", true); // the default list's servers do not answer
    const QByteArray expected = "[INIT]\r\nMaxAddr=2\r\n\r\n[1]\r\nMAIN=" + m_dead.toLatin1() +
                                "\r\nBACK=" + m_dead.toLatin1() + "/backup\r\nNODE=http://maker.invalid\r\n"
                                "WEB.SERVICE=/orvalis/qtx80z.dll\r\n\r\n[2]\r\nback=" + m_dead.toLatin1() +
                                "\r\nmain=" + m_dead.toLatin1() + "/backup\r\nnode=http://maker.invalid\r\n"
                                "WEB.SERVICE=/orvalis/qtx80z.dll\r\n";
    EXPECT_EQ(readFile(listPath()), expected);
    EXPECT_EQ(m_notices, (Notices{{"Check your Internet conecction", "Conecction Error"},
                                  {"Server unreachable", "Check Internet Connection"}}));
    EXPECT_FALSE(c.gotData());
    EXPECT_TRUE(c.lastServer().isEmpty());

    // a customer's own list survives failed passes and start-up writes
    writeList(fill({"[INIT]", "MaxAddr=1", "[1]", "MAIN={X}", "WEB.SERVICE=/own"}));
    const QByteArray own = readFile(listPath());
    EXPECT_TRUE(c.servers().writeDefaultServerList());
    c.remoteQuery("SELECT 1", true);
    EXPECT_EQ(readFile(listPath()), own);
}
