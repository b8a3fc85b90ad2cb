#include "remote/TlsSettings.h"

#include "remote/HttpClient.h"

#include <QDir>
#include <QFile>

namespace tv::remote {

void applyTlsSettings(const ConfigRead& config, const QString& appFolder, HttpClient& http)
{
    HttpSettings& settings = http.settings();
    settings.verifyTls = config(QStringLiteral("TLS.VERIFY")).trimmed() != QLatin1String("F");
    const QString named = config(QStringLiteral("TLS.CAFILE")).trimmed();
    const QDir folder(appFolder);
    if (!named.isEmpty()) {
        settings.caFile = folder.absoluteFilePath(named); // a missing file then fails every request: visible
        return;
    }
    const QString beside = folder.absoluteFilePath(QLatin1String(kDefaultCaFileName));
    settings.caFile = QFile::exists(beside) ? beside : QString();
}

} // namespace tv::remote
