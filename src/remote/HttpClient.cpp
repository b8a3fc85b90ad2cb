#include "remote/HttpClient.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <curl/curl.h>
#include <mutex>
#include <thread>

namespace tv::remote {

namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; Clever Internet Suite 6.2)";
constexpr char kUser[] = "WebDAV";

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t appendBody(char* data, size_t size, size_t count, void* target)
{
    static_cast<QByteArray*>(target)->append(data, qsizetype(size * count));
    return size * count;
}

struct EasyHandle {
    CURL* curl = curl_easy_init();
    curl_slist* headers = nullptr;
    ~EasyHandle()
    {
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
    }
};

/// The system's CA bundle followed by the extra CA: setting a CA file alone would replace the system's.
bool trustedCaBlob(CURL* curl, const QString& extraCaFile, QByteArray* blob, QString* error)
{
    char* defaultBundle = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CAINFO, &defaultBundle);
    if (defaultBundle) {
        QFile system(QString::fromLocal8Bit(defaultBundle));
        if (system.open(QIODevice::ReadOnly))
            *blob = system.readAll() + '\n';
    }
    QFile extra(extraCaFile);
    if (!extra.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the trusted CA file %1: %2").arg(extraCaFile, extra.errorString());
        return false;
    }
    blob->append(extra.readAll());
    return true;
}

} // namespace

/// The cookie store shared by every request of one client; locked because a nested wait may start
/// a second transfer while the first is still running.
struct HttpClient::Cookies {
    CURLSH* share = curl_share_init();
    std::mutex mutex;

    Cookies()
    {
        curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        curl_share_setopt(share, CURLSHOPT_LOCKFUNC, +[](CURL*, curl_lock_data, curl_lock_access, void* self) {
            static_cast<Cookies*>(self)->mutex.lock();
        });
        curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, +[](CURL*, curl_lock_data, void* self) {
            static_cast<Cookies*>(self)->mutex.unlock();
        });
        curl_share_setopt(share, CURLSHOPT_USERDATA, this);
    }
    ~Cookies() { curl_share_cleanup(share); }
};

HttpClient::HttpClient(HttpSettings settings) : m_settings(std::move(settings))
{
    initCurlOnce();
    m_cookies = std::make_unique<Cookies>();
}

HttpClient::~HttpClient() = default;

HttpResult HttpClient::send(const QByteArray& method, const QString& url, const QList<FormField>& fields)
{
    const QByteArray body = formEncode(fields);
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return perform(method, url, body);
    HttpResult result;
    QEventLoop loop;
    std::thread worker([&] {
        result = perform(method, url, body);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return result;
}

HttpResult HttpClient::perform(const QByteArray& method, const QString& url, const QByteArray& body) const
{
    HttpResult result;
    EasyHandle h;
    CURL* c = h.curl;
    char errorText[CURL_ERROR_SIZE] = {};
    const QByteArray urlBytes = url.toUtf8();
    const QByteArray password = m_settings.password.toUtf8();
    const QByteArray proxyHost = m_settings.proxy.server.trimmed().toUtf8();
    const QByteArray proxyUser = m_settings.proxy.user.toUtf8();
    const QByteArray proxyPassword = m_settings.proxy.password.toUtf8();

    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(c, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    h.headers = curl_slist_append(h.headers, "Accept: */*");
    h.headers = curl_slist_append(h.headers, "Content-Type: application/x-www-form-urlencoded");
    h.headers = curl_slist_append(h.headers, "Expect:"); // the body goes at once, no 100-continue round
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, h.headers);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
    if (method != "POST")
        curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, method.constData());
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 15L);
    curl_easy_setopt(c, CURLOPT_SHARE, m_cookies->share);
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, ""); // cookie engine on, nothing read from disk
    curl_easy_setopt(c, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    curl_easy_setopt(c, CURLOPT_USERNAME, kUser);
    curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(m_settings.timeoutMs));
    curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, m_settings.verifyTls ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, m_settings.verifyTls ? 2L : 0L);
    QByteArray caBlob;
    if (m_settings.verifyTls && !m_settings.caFile.isEmpty()) {
        if (!trustedCaBlob(c, m_settings.caFile, &caBlob, &result.error))
            return result;
        curl_blob blob{caBlob.data(), size_t(caBlob.size()), CURL_BLOB_NOCOPY};
        curl_easy_setopt(c, CURLOPT_CAINFO_BLOB, &blob);
    }
    curl_easy_setopt(c, CURLOPT_PROXY, proxyHost.constData()); // "" also ignores proxies of the environment
    if (!proxyHost.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_PROXYPORT, long(m_settings.proxy.port));
        curl_easy_setopt(c, CURLOPT_PROXYAUTH, CURLAUTH_ANY);
        curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, proxyUser.constData());
        curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, proxyPassword.constData());
    }
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &result.body);

    const CURLcode rc = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    result.status = int(status);
    if (rc != CURLE_OK) {
        result.error = QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(rc));
        result.body.clear();
    } else if (status >= 400 || status == 0) {
        result.error = QStringLiteral("HTTP status %1").arg(status);
    } else {
        result.ok = true;
    }
    return result;
}

} // namespace tv::remote
