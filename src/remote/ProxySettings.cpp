#include "remote/ProxySettings.h"

#include "remote/HttpClient.h"

namespace tv::remote {

namespace {

int portOrDefault(const QString& text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    return ok ? port : 8080;
}

} // namespace

void applyProxySettings(const ConfigRead& config, HttpClient& http)
{
    if (config(QStringLiteral("PROXY.USE")) != QLatin1String("T"))
        return;
    ProxyConfig& proxy = http.settings().proxy;
    proxy.server = config(QStringLiteral("PROXY.SERVER"));
    proxy.user = config(QStringLiteral("PROXY.USER"));
    proxy.password = config(QStringLiteral("PROXY.PASS"));
    proxy.port = portOrDefault(config(QStringLiteral("PROXY.PORT")));
}

void saveProxySettings(const ConfigRead& read, const ConfigWrite& write, HttpClient& http, const QString& server,
                       const QString& user, bool use, bool show, const QString& port, const QString& password)
{
    const QString yes = QStringLiteral("T");
    const QString no = QStringLiteral("F");
    write(QStringLiteral("PROXY.SERVER"), server);
    write(QStringLiteral("PROXY.USER"), user);
    write(QStringLiteral("PROXY.PASS"), password);
    write(QStringLiteral("PROXY.PORT"), QString::number(portOrDefault(port)));
    write(QStringLiteral("PROXY.SHOW"), show ? yes : no);
    write(QStringLiteral("PROXY.USE"), use ? yes : no);
    applyProxySettings(read, http);
}

} // namespace tv::remote
