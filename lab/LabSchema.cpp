#include "lab/LabSchema.h"

namespace tv::lab {

namespace {

// The laboratory's "now": the fixed clock when the service runs with one, else the real time.
const char* const labNow = "COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'LAB_NOW') AS TIMESTAMP), CURRENT_TIMESTAMP)";

} // namespace

QStringList labSchemaStatements()
{
    QStringList ddl = {
        QStringLiteral("CREATE TABLE LABACCOUNTS (ACCOUNT INTEGER NOT NULL PRIMARY KEY, LABNAME VARCHAR(60), "
                       "PHONE1 VARCHAR(20), FAX1 VARCHAR(20), OWNER VARCHAR(60), CITY VARCHAR(40), ZIP VARCHAR(10), "
                       "ONHOLD VARCHAR(1) DEFAULT 'F', WEBDAV VARCHAR(1) DEFAULT 'T', WEBACTIVE VARCHAR(1) DEFAULT "
                       "'T', SYSTEM_CODE VARCHAR(10), WEBDATAENTRY VARCHAR(1), REMOTE_USER VARCHAR(30), "
                       "REMOTE_PASS VARCHAR(30), VENDOR_NAME VARCHAR(40), VER_WR VARCHAR(20))"),
        QStringLiteral("CREATE TABLE SOFTWARE_VENDORS (VENDOR VARCHAR(40) NOT NULL PRIMARY KEY, VERSION_DATE DATE, "
                       "EXPORT_INI BLOB SUB_TYPE TEXT, EXPORT_DAT BLOB SUB_TYPE TEXT, IMPORT_INI BLOB SUB_TYPE TEXT, "
                       "IMPORT_DAT BLOB SUB_TYPE TEXT)"),
        QStringLiteral("CREATE TABLE CONFIG (VARSECTION VARCHAR(20) NOT NULL, VARNAME VARCHAR(40) NOT NULL, "
                       "VARVALUE VARCHAR(250), VARINI BLOB SUB_TYPE TEXT, PRIMARY KEY (VARSECTION, VARNAME))"),
        QStringLiteral("CREATE SEQUENCE GEN_MESSAGE_IDX"),
        QStringLiteral("CREATE TABLE CUSTOMER_MESSAGE (IDX INTEGER NOT NULL PRIMARY KEY, ACCOUNT INTEGER NOT NULL, "
                       "RS VARCHAR(1) DEFAULT 'R', WDATE TIMESTAMP, FROM_USER VARCHAR(100), TITLE VARCHAR(250), "
                       "MESS BLOB SUB_TYPE TEXT, MTYPE VARCHAR(4))"),
        // Clients bookmark the highest IDX they hold, so every new row must get a higher one,
        // whatever an INSERT names.
        QStringLiteral("CREATE TRIGGER CUSTOMER_MESSAGE_IDX FOR CUSTOMER_MESSAGE ACTIVE BEFORE INSERT POSITION 0 "
                       "AS BEGIN NEW.IDX = NEXT VALUE FOR GEN_MESSAGE_IDX; END"),
        QStringLiteral("CREATE TABLE CLIENT_CONN (ACCOUNT INTEGER, CON_TIME TIMESTAMP, COMPUTER VARCHAR(120), "
                       "WUSER VARCHAR(60))"),
        // A sample (one patient's visit) and the procedures ordered on it.
        QStringLiteral("CREATE TABLE LAB_SAMPLE (LABID INTEGER NOT NULL PRIMARY KEY, MEDONEID VARCHAR(20), "
                       "ACCOUNT INTEGER NOT NULL, NAME VARCHAR(40), SEX VARCHAR(1), BDATE DATE, AGE INTEGER, "
                       "AGEU VARCHAR(1), WDATE DATE, PHYSICIAN VARCHAR(30), LOCATION VARCHAR(30), ROOM VARCHAR(10), "
                       "EXLABID VARCHAR(20), SS VARCHAR(11), ENTRYSYS TIMESTAMP)"),
        QStringLiteral("CREATE INDEX LAB_SAMPLE_ACCOUNT ON LAB_SAMPLE (ACCOUNT, WDATE)"),
        QStringLiteral("CREATE INDEX LAB_SAMPLE_MEDONEID ON LAB_SAMPLE (MEDONEID)"),
        QStringLiteral("CREATE TABLE LAB_TEST (LABID INTEGER NOT NULL REFERENCES LAB_SAMPLE, "
                       "GENERICCODE VARCHAR(8) NOT NULL, DESCRIPTION VARCHAR(40), DEPTID2 VARCHAR(4), "
                       "CHANNEL VARCHAR(1) NOT NULL, PROCESSED TIMESTAMP, PRIMARY KEY (LABID, GENERICCODE))"),
        // Every release of a report is kept; a corrected re-release is a row with a higher number.
        QStringLiteral("CREATE TABLE LAB_RELEASE (LABID INTEGER NOT NULL, GENERICCODE VARCHAR(8) NOT NULL, "
                       "RELEASE_NO SMALLINT NOT NULL, PROCESS TIMESTAMP NOT NULL, PRINTED TIMESTAMP, "
                       "REP_CODE BLOB SUB_TYPE TEXT, HL7 BLOB SUB_TYPE TEXT, "
                       "PRIMARY KEY (LABID, GENERICCODE, RELEASE_NO), "
                       "FOREIGN KEY (LABID, GENERICCODE) REFERENCES LAB_TEST)"),
        QStringLiteral("CREATE INDEX LAB_RELEASE_PROCESS ON LAB_RELEASE (PROCESS)"),
        QStringLiteral("CREATE VIEW V_CURRENT_RELEASE AS SELECT R.LABID, R.GENERICCODE, R.PROCESS, "
                       "CASE WHEN R.PRINTED <= %1 THEN R.PRINTED END AS PRINTED, R.REP_CODE, R.HL7 "
                       "FROM LAB_RELEASE R WHERE R.PROCESS <= %1 AND NOT EXISTS (SELECT 1 FROM LAB_RELEASE L "
                       "WHERE L.LABID = R.LABID AND L.GENERICCODE = R.GENERICCODE AND L.RELEASE_NO > R.RELEASE_NO "
                       "AND L.PROCESS <= %1)"),
        QStringLiteral("CREATE VIEW V_REPORT_WEB (LABID, WDATE, NAME, SEX, GENERICCODE, DESCRIPTION, ENTRYSYS, "
                       "PROCESSED, PRINTED, DEPTID2, BDATE, AGE, AGEU, ACCOUNT, MEDONEID, EXLABID) AS "
                       "SELECT S.LABID, S.WDATE, S.NAME, S.SEX, T.GENERICCODE, T.DESCRIPTION, S.ENTRYSYS, "
                       "CASE WHEN T.PROCESSED <= %1 THEN T.PROCESSED END, R.PROCESS, T.DEPTID2, S.BDATE, S.AGE, "
                       "S.AGEU, S.ACCOUNT, S.MEDONEID, S.EXLABID FROM LAB_TEST T JOIN LAB_SAMPLE S ON S.LABID = "
                       "T.LABID LEFT JOIN V_CURRENT_RELEASE R ON R.LABID = T.LABID AND R.GENERICCODE = "
                       "T.GENERICCODE WHERE S.ENTRYSYS <= %1"),
    };
    const QString reportColumns = QStringLiteral(
        "LABID, NAME, SEX, BDATE, AGE, AGEU, ACCOUNT, WDATE, PROCESS, PHYSICIAN, LOCATION, ROOM, EXLABID, "
        "GENERICCODE, DESCRIPTION, SS, PRINTED, REP_CODE, MEDONEID");
    const QString reportSelect = QStringLiteral(
        "SELECT S.LABID, S.NAME, S.SEX, S.BDATE, S.AGE, S.AGEU, S.ACCOUNT, S.WDATE, R.PROCESS, S.PHYSICIAN, "
        "S.LOCATION, S.ROOM, S.EXLABID, T.GENERICCODE, T.DESCRIPTION, S.SS, R.PRINTED, R.REP_CODE, S.MEDONEID");
    const QString reportFrom = QStringLiteral(
        " FROM V_CURRENT_RELEASE R JOIN LAB_TEST T ON T.LABID = R.LABID AND T.GENERICCODE = R.GENERICCODE "
        "JOIN LAB_SAMPLE S ON S.LABID = R.LABID WHERE T.CHANNEL = ");
    ddl << QStringLiteral("CREATE VIEW V_EXTERNAL_REPORT_V2 (%1) AS %2%3'N'")
               .arg(reportColumns, reportSelect, reportFrom)
        << QStringLiteral("CREATE VIEW V_EXTERNAL_REPORT_LC (%1, HL7) AS %2, R.HL7%3'R'")
               .arg(reportColumns, reportSelect, reportFrom);
    for (QString& statement : ddl)
        statement.replace(QLatin1String("%1"), QLatin1String(labNow));
    return ddl;
}

} // namespace tv::lab
