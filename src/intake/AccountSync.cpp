#include "intake/AccountSync.h"

#include "remote/FormEncoding.h"
#include "store/ConfigStore.h"
#include "store/InTransaction.h"
#include "store/SqlLiteral.h"
#include "text/Cp1252.h"
#include "text/IniFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>

namespace tv::intake {

namespace {

// The account row's text form: dates in the short date form, times only when set.
QString columnText(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("M/d/yyyy"));
    if (value.typeId() == QMetaType::QDateTime) {
        const QDateTime moment = value.toDateTime();
        QString text = moment.date().toString(QStringLiteral("M/d/yyyy"));
        if (moment.time() != QTime(0, 0))
            text += QLatin1Char(' ') + moment.time().toString(QStringLiteral("h:mm:ss AP"));
        return text;
    }
    return value.toString();
}

bool writeVendorFile(const QString& path, const QString& value)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(vendorFileBytes(value));
    return file.commit();
}

bool storeAccountRow(AccountSyncContext& c, QString* error)
{
    const remote::Rowset& vt = c.remote.vt();
    if (vt.rows.isEmpty())
        return true;
    const QString folder = QDir(c.appFolder).absolutePath() + QLatin1Char('/');
    bool ok = true;
    for (int i = 0; i < vt.fields.size(); ++i) {
        const QString name = vt.fields.at(i).name.toUpper();
        const QString value = columnText(vt.rows.at(0).value(i)).trimmed();
        if (name.contains(QLatin1String("_INI")) || name.contains(QLatin1String("_DAT"))) {
            const QString file = vendorFileName(name);
            if (!file.isEmpty() && !value.isEmpty() && !writeVendorFile(folder + file, value)) {
                *error = QStringLiteral("cannot write %1").arg(folder + file);
                ok = false;
            }
            continue;
        }
        if (!store::succeeded(store::ConfigStore(c.db).addConfig(QStringLiteral("USER.") + name, value), error))
            return false;
    }
    return ok;
}

bool storeConfigRows(AccountSyncContext& c, QString* error)
{
    const remote::Rowset& vt = c.remote.vt();
    for (int row = 0; row < vt.rows.size(); ++row) {
        const QString name = vt.value(row, QStringLiteral("VARNAME")).toString().toUpper();
        QString stored = vt.value(row, QStringLiteral("VARINI")).toString();
        if (name == QLatin1String("SCRIPT") || name == QLatin1String("SYSTEM.PAGE"))
            stored = text::fromCp1252(c.encodeStoredScript(text::toCp1252(stored)));
        const QString value = vt.value(row, QStringLiteral("VARVALUE")).toString();
        if (!store::succeeded(store::ConfigStore(c.db).addConfig(name, value, stored), error))
            return false;
    }
    return true;
}

} // namespace

QString accountQueryStatement(int account)
{
    return QStringLiteral(
               "SELECT LABACCOUNTS.ACCOUNT,LABACCOUNTS.LABNAME,LABACCOUNTS.PHONE1,LABACCOUNTS.FAX1,"
               "LABACCOUNTS.OWNER,LABACCOUNTS.CITY,LABACCOUNTS.ZIP,LABACCOUNTS.ONHOLD,LABACCOUNTS.WEBDAV,"
               "LABACCOUNTS.WEBACTIVE,LABACCOUNTS.SYSTEM_CODE,coalesce(LABACCOUNTS.WEBDATAENTRY,'Y') AS "
               "WEBDATAENTRY,LABACCOUNTS.REMOTE_USER,LABACCOUNTS.REMOTE_PASS,SOFTWARE_VENDORS.VENDOR,"
               "SOFTWARE_VENDORS.VERSION_DATE,SOFTWARE_VENDORS.EXPORT_INI,SOFTWARE_VENDORS.EXPORT_DAT,"
               "SOFTWARE_VENDORS.IMPORT_INI,SOFTWARE_VENDORS.IMPORT_DAT FROM LABACCOUNTS INNER JOIN "
               "SOFTWARE_VENDORS ON LABACCOUNTS.VENDOR_NAME = SOFTWARE_VENDORS.VENDOR where LABACCOUNTS.ACCOUNT=") +
           QString::number(account);
}

QString configQueryStatement()
{
    return QStringLiteral("SELECT * FROM CONFIG where VARSECTION='WEB' or VARSECTION='WEB9'");
}

QString versionReportStatement(const QString& fileRelease, int account)
{
    return QStringLiteral("UPDATE LABACCOUNTS SET VER_WR=%1 where ACCOUNT=%2")
        .arg(store::quoteSql(fileRelease), QString::number(account));
}

QString vendorFileName(const QString& column)
{
    static const QRegularExpression safe(QStringLiteral("^[A-Z0-9_]+$"));
    if (!safe.match(column).hasMatch())
        return {};
    QString file = column;
    file.replace(QLatin1Char('_'), QLatin1Char('.'));
    return file;
}

QByteArray vendorFileBytes(const QString& value)
{
    QString text = value;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text::toCp1252(text + QLatin1String("\r\n"));
}

QString extraFieldsInit(const QString& extraFields)
{
    if (extraFields.isEmpty())
        return {};
    QString s = extraFields + QLatin1String(": ");
    QString out;
    while (s.contains(QLatin1Char('='))) {
        out += s.left(s.indexOf(QLatin1Char('=')) + 1) + QLatin1String("\"\":");
        s = s.mid(s.indexOf(QLatin1Char(':')) + 1);
    }
    return out;
}

QString readExtraFieldsInit(const QString& appFolder)
{
    const text::IniFile import = text::IniFile::load(QDir(appFolder).absoluteFilePath(QStringLiteral("IMPORT.INI")));
    return extraFieldsInit(import.value(QStringLiteral("HL7"), QStringLiteral("EXTRAFIELDS")).value_or(QString()));
}

QString connectionLogStatement(int account, const QString& computerName, const QString& userName)
{
    QString user = userName;
    user.remove(QRegularExpression(QStringLiteral("^[\\s\\x00-\\x1f]+|[\\s\\x00-\\x1f]+$")));
    return QStringLiteral("insert into client_conn(account,con_time,computer,wuser) values(%1,current_timestamp,%2,%3);")
        .arg(QString::number(account), store::quoteSql(QStringLiteral("Brenix|") + computerName + QLatin1String("|10")),
             store::quoteSql(user));
}

AccountSyncResult syncAccount(AccountSyncContext& c)
{
    AccountSyncResult result;
    QString error;
    c.remote.remoteQuery(accountQueryStatement(c.account), true);
    if (c.remote.gotData() && !storeAccountRow(c, &error))
        result.error = error;

    c.remote.remoteQuery(configQueryStatement(), false);
    if (c.remote.gotData() && !storeConfigRows(c, &error) && result.error.isEmpty())
        result.error = error;

    c.remote.remoteScript(versionReportStatement(c.fileRelease, c.account), false);
    if (c.reloadPageScript)
        c.reloadPageScript();

    result.extraFieldsInit = readExtraFieldsInit(c.appFolder);
    return result;
}

} // namespace tv::intake
