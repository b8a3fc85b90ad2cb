#include "FirebirdFile.h"

#include <ibase.h>

namespace tv::store {

namespace {

QString statusText(const ISC_STATUS* status)
{
    QString text;
    char buffer[512];
    const ISC_STATUS* vector = status;
    while (fb_interpret(buffer, sizeof buffer, &vector) > 0) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QString::fromLocal8Bit(buffer);
    }
    return text;
}

QString quoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

} // namespace

bool createFirebirdDatabase(const QString& location, const QString& user, const QString& password, QString* error)
{
    const QByteArray sql = QStringLiteral("CREATE DATABASE %1 USER %2 PASSWORD %3 PAGE_SIZE 8192 "
                                          "DEFAULT CHARACTER SET NONE")
                               .arg(quoted(location), quoted(user), quoted(password))
                               .toLocal8Bit();
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    if (isc_dsql_execute_immediate(status, &db, &tr, 0, sql.constData(), SQL_DIALECT_V6, nullptr)) {
        if (error)
            *error = statusText(status);
        return false;
    }
    isc_detach_database(status, &db);
    return true;
}

bool setForcedWrites(const QString& location, const QString& user, const QString& password, bool on,
                     QString* error)
{
    const QByteArray name = user.toUtf8();
    const QByteArray secret = password.toUtf8();
    QByteArray dpb(1, char(isc_dpb_version1));
    dpb.append(char(isc_dpb_user_name)).append(char(name.size())).append(name);
    dpb.append(char(isc_dpb_password)).append(char(secret.size())).append(secret);
    dpb.append(char(isc_dpb_force_write)).append(char(1)).append(char(on ? 1 : 0));
    const QByteArray path = location.toLocal8Bit();
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    if (isc_attach_database(status, short(path.size()), path.constData(), &db, short(dpb.size()), dpb.constData())) {
        if (error)
            *error = statusText(status);
        return false;
    }
    isc_detach_database(status, &db);
    return true;
}

} // namespace tv::store
