// The values of the report procedures in their positional order, so every caller of ADD_PATIENT,
// ADD_REPORT and their reference-laboratory twins passes the same 18 (or 3, or 4) values the
// same way. A null QVariant stores NULL.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QVariant>

namespace tv::store {

struct PatientHeader {
    int labId = 0;
    QVariant name;  ///< PNAME
    QVariant sex;
    QVariant birthDate;  ///< BDATE, a QDate
    QVariant age;
    QVariant ageUnit;
    QVariant account;
    QVariant workDate;  ///< WDATE, a QDate
    QVariant process;   ///< PROCESS, a QDateTime
    QVariant physician;
    QVariant location;
    QVariant room;
    QVariant exLabId;
    QString genericCode;
    QVariant description;
    QVariant ss;
    QVariant printed;
    QVariant batch;  ///< DBATCH, a QDateTime
};

/// LABID, PNAME, SEX, BDATE, AGE, AGEU, ACCOUNT, WDATE, PROCESS, PHYSICIAN, LOCATION, ROOM,
/// EXLABID, GENERICCODE, DESCRIPTION, SS, PRINTED, DBATCH.
inline QVariantList addPatientValues(const PatientHeader& h)
{
    return {h.labId,    h.name,     h.sex,  h.birthDate, h.age,         h.ageUnit,
            h.account,  h.workDate, h.process, h.physician, h.location, h.room,
            h.exLabId,  h.genericCode, h.description, h.ss,  h.printed, h.batch};
}

/// LID, GCODE, INI_FIELD (and HL7 for ADD_REPORT_LC).
inline QVariantList addReportValues(int labId, const QString& genericCode, const QVariant& program)
{
    return {labId, genericCode, program};
}

} // namespace tv::store
