#include "intake/ReportValues.h"

#include "store/ReportProcedures.h"
#include "store/SqlLiteral.h"

namespace tv::intake {

namespace {

// Moments travel as wall-clock values; the store must see them as the same local clock reading.
QDateTime localWallClock(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    const QDateTime moment = value.toDateTime();
    return QDateTime(moment.date(), moment.time());
}

QDate dateValue(const remote::Rowset& rows, int row, const QString& column)
{
    return dateTimeValue(rows, row, column).date();
}

// Every column the procedures take (the reference channel adds HL7), and those that must read
// as numbers or dates when present.
const char* const kReportColumns[] = {"LABID",   "NAME",        "SEX",         "BDATE",     "AGE",      "AGEU",
                                      "ACCOUNT", "WDATE",       "PROCESS",     "PHYSICIAN", "LOCATION", "ROOM",
                                      "EXLABID", "GENERICCODE", "DESCRIPTION", "SS",        "PRINTED",  "REP_CODE"};
const char* const kNumberColumns[] = {"LABID", "AGE", "ACCOUNT"};
const char* const kDateColumns[] = {"BDATE", "WDATE", "PROCESS", "PRINTED"};

} // namespace

QString reportRowProblem(const remote::Rowset& rows, int row, bool withHl7)
{
    QStringList columns;
    for (const char* name : kReportColumns)
        columns << QLatin1String(name);
    if (withHl7)
        columns << QStringLiteral("HL7");
    for (const QString& column : columns) {
        if (rows.fieldIndex(column) < 0)
            return QStringLiteral("the laboratory's answer has no column %1").arg(column);
    }
    // A blank text is as absent as a null.
    const auto present = [&](const char* column) {
        const QVariant value = rows.value(row, QLatin1String(column));
        return value.toString().trimmed().isEmpty() ? QVariant() : value;
    };
    const QString where = QStringLiteral("the laboratory's answer, row %1").arg(row + 1);
    for (const char* key : {"LABID", "GENERICCODE"}) {
        if (present(key).isNull())
            return QStringLiteral("%1 has no %2").arg(where, QLatin1String(key));
    }
    const auto bad = [&](const char* column, const QVariant& value, const char* what) {
        return QStringLiteral("%1: %2 \"%3\" is not %4")
            .arg(where, QLatin1String(column), value.toString().left(40), QLatin1String(what));
    };
    for (const char* column : kNumberColumns) {
        const QVariant value = present(column);
        if (!value.isNull() && !store::readWholeNumber(value.toString()))
            return bad(column, value, "a whole number");
    }
    for (const char* column : kDateColumns) {
        const QVariant value = present(column);
        if (!value.isNull() && !localWallClock(value).isValid())
            return bad(column, value, "a date");
    }
    return {};
}

int integerValue(const remote::Rowset& rows, int row, const QString& column)
{
    const QVariant value = rows.value(row, column);
    return value.isNull() ? 0 : value.toInt();
}

QString textValue(const remote::Rowset& rows, int row, const QString& column)
{
    const QVariant value = rows.value(row, column);
    return value.isNull() ? QString() : value.toString();
}

QDateTime dateTimeValue(const remote::Rowset& rows, int row, const QString& column)
{
    const QVariant value = rows.value(row, column);
    if (value.isNull())
        return store::zeroDateTime();
    const QDateTime moment = localWallClock(value);
    return moment.isValid() ? moment : store::zeroDateTime();
}

QList<QVariant> patientValues(const remote::Rowset& rows, int row, const QDateTime& batch,
                              AbsentPrinted absentPrinted)
{
    const auto text = [&](const char* column) { return textValue(rows, row, QLatin1String(column)); };
    store::PatientHeader h;
    h.labId = integerValue(rows, row, QStringLiteral("LABID"));
    h.name = text("NAME");
    h.sex = text("SEX");
    h.birthDate = dateValue(rows, row, QStringLiteral("BDATE"));
    h.age = integerValue(rows, row, QStringLiteral("AGE"));
    h.ageUnit = text("AGEU");
    h.account = integerValue(rows, row, QStringLiteral("ACCOUNT"));
    h.workDate = dateValue(rows, row, QStringLiteral("WDATE"));
    h.process = dateTimeValue(rows, row, QStringLiteral("PROCESS"));
    h.physician = text("PHYSICIAN");
    h.location = text("LOCATION");
    h.room = text("ROOM");
    h.exLabId = text("EXLABID");
    h.genericCode = text("GENERICCODE");
    h.description = text("DESCRIPTION");
    h.ss = text("SS");
    const bool keepNull = absentPrinted == AbsentPrinted::Null && rows.value(row, QStringLiteral("PRINTED")).isNull();
    h.printed = keepNull ? QVariant(QMetaType::fromType<QDateTime>())
                         : QVariant(dateTimeValue(rows, row, QStringLiteral("PRINTED")));
    h.batch = batch;
    return store::addPatientValues(h);
}

QList<QVariant> reportValues(const remote::Rowset& rows, int row, bool withHl7)
{
    QList<QVariant> values{integerValue(rows, row, QStringLiteral("LABID")),
                           textValue(rows, row, QStringLiteral("GENERICCODE")),
                           textValue(rows, row, QStringLiteral("REP_CODE"))};
    if (withHl7)
        values << textValue(rows, row, QStringLiteral("HL7"));
    return values;
}

} // namespace tv::intake
