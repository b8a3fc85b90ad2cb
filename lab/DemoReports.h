// The demo laboratory's report texts, made from the shared demo report programs in
// demo/reports (compiled in as resources): each program is re-stamped with a patient's identity
// and dates line by line, and reference-channel reports get page pictures and an HL7 message
// built from the same values, so both channels tell the same story.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace tv::lab {

struct ReportTemplate {
    QString program;     ///< the VBScript report program as shipped
    QString code;        ///< GENERICCODE
    QString description; ///< DESCRIPTION
    QString department;  ///< DEPTID2
    QStringList panel;   ///< PANEL lines without their Chr(3)
};

/// The report programs of demo/reports (every file but the page script), in file-name order.
QList<ReportTemplate> demoReportTemplates();
/// The page script of demo/reports.
QString demoPageScript();

/// Who and when one report is about.
struct ReportStamp {
    int labId = 0;
    QString exLabId;
    QString name; ///< "SURNAME1 SURNAME2, GIVEN"
    QDate birthDate;
    int age = 0;
    QString sex;
    QString physician;
    int account = 0;
    QString client;
    QDateTime collected;
    QDateTime received; ///< the sample's entry
    QDateTime processed;
    QDateTime released;
    QString correction; ///< non-empty for a corrected re-release: put in front of the notes
};

/// The template's program with the identity and date lines replaced by `stamp`'s values.
QString stampProgram(const ReportTemplate& report, const ReportStamp& stamp);

/// An HL7 2.3 ORU^R01 message (segments ended by CR) with one OBX per result line.
QString referenceHl7(const ReportTemplate& report, const ReportStamp& stamp);

/// The reference-channel REP_CODE: "||" + Base64 of each page's WMF picture + "||".
QString referencePages(const ReportTemplate& report, const ReportStamp& stamp);

} // namespace tv::lab
