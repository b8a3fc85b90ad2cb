// Fixed texts of the demo laboratory: account and vendor rows, vendor files, configuration
// rows and messages. Kept apart from the seeding logic so the data reads as a list.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tv::lab::demo {

struct Account {
    int account;
    const char* labName;
    const char* phone;
    const char* fax;
    const char* owner;
    const char* city;
    const char* zip;
    const char* onHold;
    const char* webDataEntry; ///< nullptr: the laboratory holds no value
    const char* remoteUser;
    const char* remotePass;
    const char* vendor;
};

struct Vendor {
    const char* vendor;
    const char* versionDate; ///< yyyy-mm-dd
    QString exportIni, exportDat, importIni, importDat;
};

struct ConfigRow {
    const char* section;
    const char* name;
    QString value;
    QString ini;
};

struct Message {
    int account;    ///< 0 = every account
    const char* rs; ///< "S" = sent to the customer; other markers are not fetched
    int daysAgo;
    int minuteOfDay;
    const char* from;
    const char* title;
    QString body;
    const char* type;
};

const QList<Account>& accounts();
QList<Vendor> vendors();
QList<ConfigRow> configRows(const QString& pageScript);
QList<Message> messages();

const QStringList& paternalNames();
const QStringList& maternalNames();
const QStringList& femaleNames();
const QStringList& maleNames();
const QStringList& physicians();

} // namespace tv::lab::demo
