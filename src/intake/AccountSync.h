// Copying the account's data from the laboratory: the account row into USER. keys and vendor
// files, the laboratory's WEB/WEB9 configuration rows (page scripts stored encoded), the version
// report, the page-script reload and the extra-field prelude. A failed step stores nothing and
// the next step still runs, so one dead query never keeps the rest of the account stale.
#pragma once

#include "remote/RemoteClient.h"
#include "store/Connection.h"

#include <QString>
#include <functional>

namespace tv::intake {

struct AccountSyncContext {
    remote::RemoteClient& remote;
    store::Connection& db;
    QString appFolder;   ///< vendor files are written here
    int account = 0;
    QString fileRelease; ///< reported to the laboratory
    /// Page scripts are stored in this encoded form.
    std::function<QByteArray(const QByteArray&)> encodeStoredScript;
    /// Makes the stored page script the report engine's code (runs even when nothing was fetched).
    std::function<void()> reloadPageScript;
};

struct AccountSyncResult {
    QString extraFieldsInit; ///< from IMPORT.INI, section HL7, key EXTRAFIELDS
    QString error;           ///< a local store failure; remote failures were shown as notices
};

/// Runs the whole synchronisation.
AccountSyncResult syncAccount(AccountSyncContext& context);

QString accountQueryStatement(int account);
QString configQueryStatement();
QString versionReportStatement(const QString& fileRelease, int account);

/// An account column that names a vendor file ("EXPORT_INI" -> "EXPORT.INI"); empty for a key
/// column, and for a name that could leave the program folder.
QString vendorFileName(const QString& column);
/// The value's lines ended by CR LF, the last one too.
QByteArray vendorFileBytes(const QString& value);

/// "A=x:B=y" -> A="":B="": (every extra field defined as an empty string).
QString extraFieldsInit(const QString& extraFields);
/// The same for the installation's IMPORT.INI (section HL7, key EXTRAFIELDS).
QString readExtraFieldsInit(const QString& appFolder);

/// The connection log row of a start: computer "Brenix|<name>|10", the system's user name.
QString connectionLogStatement(int account, const QString& computerName, const QString& userName);

} // namespace tv::intake
