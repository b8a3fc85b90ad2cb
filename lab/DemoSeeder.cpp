#include "lab/DemoSeeder.h"

#include "lab/DemoCatalogue.h"
#include "lab/DemoReports.h"

#include <QSqlError>
#include <QSqlQuery>
#include <random>

namespace tv::lab {

namespace {

struct Statements {
    QSqlQuery sample, test, release;
};

struct Sample {
    ReportStamp stamp;
    QString medoneId;
    QString location;
    QString room;
    QString ssn;
};

bool exec(QSqlQuery& query, const QVariantList& values, QString* error)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    if (query.exec()) return true;
    *error = query.lastError().text();
    return false;
}

QVariant timeOrNull(const QDateTime& time)
{
    return time.isValid() ? QVariant(time) : QVariant(QMetaType::fromType<QDateTime>());
}

// Writes samples, their tests and releases. Times after the clock are written as they are:
// the views hide them until the laboratory's clock passes them.
class SampleWriter {
public:
    SampleWriter(Statements& statements, QString* error) : m_statements(statements), m_error(error) {}

    bool writeSample(const Sample& s)
    {
        const ReportStamp& st = s.stamp;
        return exec(m_statements.sample,
                    {st.labId, s.medoneId, st.account, st.name, st.sex, st.birthDate, st.age, QStringLiteral("Y"),
                     st.received.date(), st.physician.section(QLatin1Char(','), 0, 0).left(30), s.location, s.room,
                     st.exLabId, s.ssn, st.received},
                    m_error);
    }

    bool writeTest(const ReportTemplate& report, char channel, const ReportStamp& stamp)
    {
        return exec(m_statements.test,
                    {stamp.labId, report.code, report.description.left(40), report.department,
                     QString(QLatin1Char(channel)), timeOrNull(stamp.processed)},
                    m_error);
    }

    bool writeRelease(const ReportTemplate& report, char channel, const ReportStamp& stamp, int number, bool printed)
    {
        const bool reference = channel == 'R';
        return exec(
            m_statements.release,
            {stamp.labId, report.code, number, stamp.released,
             printed ? QVariant(stamp.released.addSecs(5 * 60)) : QVariant(QMetaType::fromType<QDateTime>()),
             (reference ? referencePages(report, stamp) : stampProgram(report, stamp)).toUtf8(),
             reference ? QVariant(referenceHl7(report, stamp).toUtf8()) : QVariant(QMetaType::fromType<QByteArray>())},
            m_error);
    }

private:
    Statements& m_statements;
    QString* m_error;
};

QString correctionNote(const QDateTime& first)
{
    return QStringLiteral("CORRECTED REPORT: replaces the report released %1.")
        .arg(first.toString(QStringLiteral("MM/dd/yyyy HH:mm")));
}

bool seedFixedRows(QSqlDatabase& db, const QDateTime& now, QString* error)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO SOFTWARE_VENDORS (VENDOR, VERSION_DATE, EXPORT_INI, EXPORT_DAT, IMPORT_INI, "
                             "IMPORT_DAT) VALUES (?, ?, ?, ?, ?, ?)"));
    for (const demo::Vendor& v : demo::vendors()) {
        if (!exec(
                q,
                {QString::fromLatin1(v.vendor), QDate::fromString(QLatin1String(v.versionDate), Qt::ISODate),
                 v.exportIni.toUtf8(), v.exportDat.toUtf8(), v.importIni.toUtf8(),
                 v.importDat.isEmpty() ? QVariant(QMetaType::fromType<QByteArray>()) : QVariant(v.importDat.toUtf8())},
                error))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO LABACCOUNTS (ACCOUNT, LABNAME, PHONE1, FAX1, OWNER, CITY, ZIP, ONHOLD, "
                             "WEBDAV, WEBACTIVE, SYSTEM_CODE, WEBDATAENTRY, REMOTE_USER, REMOTE_PASS, VENDOR_NAME) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, 'T', 'T', 'ORV', ?, ?, ?, ?)"));
    for (const demo::Account& a : demo::accounts()) {
        const QVariant entry =
            a.webDataEntry ? QVariant(QString::fromLatin1(a.webDataEntry)) : QVariant(QMetaType::fromType<QString>());
        if (!exec(q,
                  {a.account, QString::fromLatin1(a.labName), QString::fromLatin1(a.phone), QString::fromLatin1(a.fax),
                   QString::fromLatin1(a.owner), QString::fromLatin1(a.city), QString::fromLatin1(a.zip),
                   QString::fromLatin1(a.onHold), entry, QString::fromLatin1(a.remoteUser),
                   QString::fromLatin1(a.remotePass), QString::fromLatin1(a.vendor)},
                  error))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO CONFIG (VARSECTION, VARNAME, VARVALUE, VARINI) VALUES (?, ?, ?, ?)"));
    for (const demo::ConfigRow& c : demo::configRows(demoPageScript())) {
        if (!exec(q,
                  {QString::fromLatin1(c.section), QString::fromLatin1(c.name), c.value,
                   c.ini.isEmpty() ? QVariant(QMetaType::fromType<QByteArray>()) : QVariant(c.ini.toUtf8())},
                  error))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO CUSTOMER_MESSAGE (ACCOUNT, RS, WDATE, FROM_USER, TITLE, MESS, MTYPE) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (const demo::Message& m : demo::messages()) {
        QDateTime written(now.date().addDays(-m.daysAgo), QTime(0, 0).addSecs(m.minuteOfDay * 60));
        if (written > now) written = now.addSecs(-60);
        if (!exec(q,
                  {m.account, QString::fromLatin1(m.rs), written, QString::fromLatin1(m.from),
                   QString::fromLatin1(m.title), m.body.toUtf8(), QString::fromLatin1(m.type)},
                  error))
            return false;
    }
    return true;
}

} // namespace

DemoSeedResult seedDemoLaboratory(QSqlDatabase database, const QDateTime& clockNow, int reportCount)
{
    const QDateTime now = clockNow.addMSecs(-clockNow.time().msec());
    DemoSeedResult result;
    const QList<ReportTemplate> templates = demoReportTemplates();
    if (templates.isEmpty()) return {false, QStringLiteral("the demo report programs are missing from the build"), 0};
    const auto byCode = [&templates](const char* code) {
        for (const ReportTemplate& t : templates) {
            if (t.code == QLatin1String(code)) return t;
        }
        return templates.first();
    };

    database.transaction();
    Statements st{QSqlQuery(database), QSqlQuery(database), QSqlQuery(database)};
    st.sample.prepare(QStringLiteral("INSERT INTO LAB_SAMPLE (LABID, MEDONEID, ACCOUNT, NAME, SEX, BDATE, AGE, AGEU, "
                                     "WDATE, PHYSICIAN, LOCATION, ROOM, EXLABID, SS, ENTRYSYS) VALUES (?, ?, ?, ?, "
                                     "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    st.test.prepare(QStringLiteral("INSERT INTO LAB_TEST (LABID, GENERICCODE, DESCRIPTION, DEPTID2, CHANNEL, "
                                   "PROCESSED) VALUES (?, ?, ?, ?, ?, ?)"));
    st.release.prepare(QStringLiteral("INSERT INTO LAB_RELEASE (LABID, GENERICCODE, RELEASE_NO, PROCESS, PRINTED, "
                                      "REP_CODE, HL7) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    QString error;
    SampleWriter writer(st, &error);
    const auto fail = [&database, &error]() {
        database.rollback();
        return DemoSeedResult{false, error, 0};
    };
    if (!seedFixedRows(database, now, &error)) return fail();

    std::mt19937 random(20261211);
    const auto pick = [&random](const QStringList& list) {
        return list[static_cast<qsizetype>(random() % static_cast<quint32>(list.size()))];
    };
    const auto between = [&random](int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); };
    const QString clients[] = {QString(), QStringLiteral("RIVERSIDE FAMILY MEDICINE"),
                               QStringLiteral("HARBOR PEDIATRICS"), QStringLiteral("WESTSIDE WALK-IN CLINIC")};
    const auto makeSample = [&](int labId, int account, const QString& name, const QString& sex,
                                const QDateTime& entered) {
        Sample s;
        ReportStamp& t = s.stamp;
        t.labId = labId;
        t.account = account;
        t.client = clients[account - 1000];
        t.name = name;
        t.sex = sex;
        t.birthDate = now.date().addDays(-between(2 * 365, 88 * 365));
        t.age = t.birthDate.daysTo(entered.date()) / 365;
        t.exLabId = random() % 5 ? QStringLiteral("MRN-%1").arg(between(100000, 999999)) : QString();
        t.physician = pick(demo::physicians());
        t.received = entered;
        t.collected = entered.addSecs(-60 * between(40, 240));
        s.medoneId = QStringLiteral("M%1").arg(labId % 10000000, 7, 10, QLatin1Char('0'));
        s.location = account == 1003 ? QStringLiteral("WALK-IN") : QStringLiteral("OFFICE");
        s.room = random() % 3 ? QString() : QString::number(between(1, 30));
        s.ssn = QStringLiteral("XXX-XX-%1").arg(between(1000, 9999));
        return s;
    };

    // The showcase reports, at fixed distances from the clock.
    const ReportTemplate cbc = byCode("CBCD"), cmp = byCode("CMP14"), lipid = byCode("LIPID"),
                         culture = byCode("WCULA"), urine = byCode("UAMIC");
    {
        Sample ana = makeSample(26000001, 1001, QStringLiteral("RIVERA LOPEZ, ANA"), QStringLiteral("F"),
                                now.addDays(-1).addSecs(-6 * 3600));
        if (!writer.writeSample(ana)) return fail();
        ReportStamp r = ana.stamp;
        r.processed = r.received.addSecs(3 * 3600);
        r.released = r.processed.addSecs(20 * 60);
        for (const ReportTemplate* t : {&cbc, &cmp}) {
            if (!writer.writeTest(*t, 'N', r) || !writer.writeRelease(*t, 'N', r, 1, true)) return fail();
        }
        ReportStamp corrected = r;
        corrected.correction = correctionNote(r.released);
        corrected.released = now.addSecs(-2 * 3600);
        if (!writer.writeRelease(cmp, 'N', corrected, 2, true)) return fail();
        corrected.released = now.addDays(1);
        if (!writer.writeRelease(cbc, 'N', corrected, 2, true)) return fail();

        Sample john =
            makeSample(26000002, 1001, QStringLiteral("O'NEIL, JOHN"), QStringLiteral("M"), now.addSecs(-8 * 3600));
        r = john.stamp;
        r.processed = now.addSecs(-3 * 3600 - 900);
        r.released = now.addSecs(-3 * 3600);
        if (!writer.writeSample(john) || !writer.writeTest(lipid, 'N', r) ||
            !writer.writeRelease(lipid, 'N', r, 1, false))
            return fail();

        Sample maria = makeSample(26000003, 1001, QStringLiteral("GARCIA LOPEZ, MARIA ELENA"), QStringLiteral("F"),
                                  now.addDays(-3));
        r = maria.stamp;
        r.processed = now.addSecs(-5 * 3600 - 1800);
        r.released = now.addSecs(-5 * 3600);
        if (!writer.writeSample(maria) || !writer.writeTest(culture, 'R', r) ||
            !writer.writeRelease(culture, 'R', r, 1, true))
            return fail();

        Sample waiting =
            makeSample(26000004, 1001, QStringLiteral("SANTIAGO CRUZ, LUCIA"), QStringLiteral("F"), now.addSecs(-3600));
        r = waiting.stamp;
        if (!writer.writeSample(waiting) || !writer.writeTest(urine, 'N', r)) return fail();

        Sample processed =
            makeSample(26000005, 1001, QStringLiteral("MILLER, THOMAS"), QStringLiteral("M"), now.addSecs(-4 * 3600));
        r = processed.stamp;
        r.processed = now.addSecs(-1800);
        r.released = now.addSecs(2 * 3600);
        if (!writer.writeSample(processed) || !writer.writeTest(lipid, 'N', r) ||
            !writer.writeRelease(lipid, 'N', r, 1, true))
            return fail();
    }
    int reports = 8;

    // The bulk: samples spread over the fourteen days before the clock, most of them for 1001.
    int labId = 26000100;
    while (reports < reportCount) {
        const int account = random() % 100 < 80 ? 1001 : (random() % 2 ? 1002 : 1003);
        const bool female = random() % 2;
        const QString maternal = pick(demo::maternalNames());
        const QString name =
            (pick(demo::paternalNames()) + (maternal.isEmpty() ? QString() : QLatin1Char(' ') + maternal) +
             QLatin1String(", ") + pick(female ? demo::femaleNames() : demo::maleNames()))
                .left(40);
        const QDateTime entered = now.addSecs(-60 * between(30, 14 * 24 * 60));
        const Sample sample = makeSample(++labId, account, name, female ? QStringLiteral("F") : QStringLiteral("M"),
                                         entered.time() < QTime(6, 0) ? entered.addSecs(7 * 3600) : entered);
        if (sample.stamp.received > now) continue;
        if (!writer.writeSample(sample)) return fail();
        const int tests = between(1, 3);
        const int first = between(0, static_cast<int>(templates.size()) - 1);
        for (int k = 0; k < tests && reports < reportCount; ++k) {
            const ReportTemplate& report = templates[(first + k) % templates.size()];
            const char channel = random() % 100 < 25 ? 'R' : 'N';
            ReportStamp r = sample.stamp;
            r.processed = r.received.addSecs(channel == 'R' ? 60 * between(20 * 60, 60 * 60) : 60 * between(60, 300));
            r.released = r.processed.addSecs(60 * between(5, 90));
            if (!writer.writeTest(report, channel, r) ||
                !writer.writeRelease(report, channel, r, 1, random() % 100 < 85))
                return fail();
            ++reports;
            if (random() % 100 < 4) {
                ReportStamp corrected = r;
                corrected.correction = correctionNote(r.released);
                corrected.released = r.released.addSecs(3600 * between(2, 40));
                if (!writer.writeRelease(report, channel, corrected, 2, true)) return fail();
            }
        }
    }
    if (!database.commit()) {
        error = database.lastError().text();
        return fail();
    }
    result.ok = true;
    result.reports = reports;
    return result;
}

} // namespace tv::lab
