#include "LabProcess.h"

#include <curl/curl.h>

namespace tv::lab::test {

bool LabProcess::start(const QString& dataDir, const QStringList& extra)
{
    m_dataDir = dataDir;
    m_process.setProgram(QStringLiteral(TV_LAB_BINARY));
    m_process.setArguments(QStringList{"--port", "0", "--data", dataDir} + extra);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(10000)) return false;
    QByteArray line;
    while (!line.contains('\n') && m_process.waitForReadyRead(60000))
        line += m_process.readLine();
    const QByteArray prefix = "listening on ";
    if (!line.startsWith(prefix)) return false;
    m_root = QString::fromLatin1(line.mid(prefix.size()).trimmed());
    return true;
}

void LabProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(15000)) m_process.kill();
    m_process.waitForFinished(5000);
}

namespace {

size_t collect(char* data, size_t size, size_t count, void* target)
{
    static_cast<QByteArray*>(target)->append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

} // namespace

Exchange exchange(const LabProcess& lab, const char* method, const QString& path, const QByteArray& body, Auth auth,
                  const QString& password)
{
    Exchange result;
    CURL* curl = curl_easy_init();
    const QByteArray url = (lab.root() + path).toUtf8();
    const QByteArray ca = lab.certificate().toUtf8();
    const QByteArray credentials = QByteArray("WebDAV:") + password.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_CAINFO, ca.constData());
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &collect);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &result.headers);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 60L);
    if (auth != Auth::None) {
        curl_easy_setopt(curl, CURLOPT_USERPWD, credentials.constData());
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, auth == Auth::Basic ? CURLAUTH_BASIC : CURLAUTH_DIGEST);
    }
    const CURLcode code = curl_easy_perform(curl);
    if (code != CURLE_OK) result.error = QString::fromUtf8(curl_easy_strerror(code));
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    curl_easy_cleanup(curl);
    return result;
}

} // namespace tv::lab::test
