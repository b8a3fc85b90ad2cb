#include "intake/ReportValues.h"

#include "store/ReportProcedures.h"
#include "store/SqlLiteral.h"

#include <algorithm>

namespace tv::intake {

namespace {

// Every column the procedures take, in this order (the reference channel adds HL7).
enum Column {
    LabId, Name, Sex, BDate, Age, AgeU, Account, WDate, Process, Physician, Location, Room, ExLabId, GenericCode,
    Description, Ss, Printed, RepCode, Hl7, ColumnCount
};
const char* const kColumnNames[ColumnCount] = {
    "LABID", "NAME", "SEX", "BDATE", "AGE", "AGEU", "ACCOUNT", "WDATE", "PROCESS", "PHYSICIAN", "LOCATION", "ROOM",
    "EXLABID", "GENERICCODE", "DESCRIPTION", "SS", "PRINTED", "REP_CODE", "HL7"};
// Those that must read as numbers or dates when present, in the order they are checked.
constexpr Column kNumberColumns[] = {LabId, Age, Account};
constexpr Column kDateColumns[] = {BDate, WDate, Process, Printed};

// Building a local date-time costs a time-zone lookup: the zero one is built once.
const QDateTime& zeroMoment()
{
    static const QDateTime zero = store::zeroDateTime();
    return zero;
}

// Moments travel as wall-clock values; the store must see them as the same local clock reading.
QDateTime localWallClock(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    const QDateTime moment = value.toDateTime();
    return QDateTime(moment.date(), moment.time());
}

// A calendar date needs no clock: a day whose midnight the local clock skips is still a date.
QDate calendarDate(const QVariant& value)
{
    return value.typeId() == QMetaType::QDate ? value.toDate() : value.toDateTime().date();
}

// A blank text is as absent as a null.
bool isPresent(const QVariant& value)
{
    if (value.isNull())
        return false;
    switch (value.typeId()) {
    case QMetaType::Int:
        return true;
    case QMetaType::QString: {
        const QString* text = static_cast<const QString*>(value.constData());
        return std::any_of(text->cbegin(), text->cend(), [](QChar c) { return !c.isSpace(); });
    }
    default:
        return !value.toString().trimmed().isEmpty();
    }
}

bool isWholeNumber(const QVariant& value)
{
    if (value.typeId() == QMetaType::Int)
        return value.toInt() >= 0;
    return store::readWholeNumber(value.toString()).has_value();
}

int integerOf(const QVariant& value)
{
    return value.isNull() ? 0 : value.toInt();
}

QVariant textOf(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

} // namespace

ReportColumns::ReportColumns(const remote::Rowset& rows, bool withHl7) : m_rows(rows), m_withHl7(withHl7)
{
    m_index.resize(ColumnCount);
    for (int column = 0; column < ColumnCount; ++column) {
        const QString name = QLatin1String(kColumnNames[column]);
        m_index[column] = rows.fieldIndex(name);
        if (m_index[column] < 0 && m_missing.isEmpty() && (column != Hl7 || withHl7))
            m_missing = name;
    }
}

const QVariant& ReportColumns::cell(int row, int column) const
{
    static const QVariant absent;
    const int index = m_index[column];
    if (index < 0 || row < 0 || row >= m_rows.rows.size() || index >= m_rows.rows[row].size())
        return absent;
    return m_rows.rows[row][index];
}

ReportRow ReportColumns::read(int row, const QDateTime& batch, AbsentPrinted absentPrinted) const
{
    const auto text = [&](Column column) { return textOf(cell(row, column)); };
    const auto integer = [&](Column column) { return integerOf(cell(row, column)); };
    // Each date is converted once and serves both the check and the value.
    bool dateFails[ColumnCount] = {};
    const auto date = [&](Column column) -> QVariant {
        const QVariant& value = cell(row, column);
        const QDate day = value.isNull() ? QDate() : calendarDate(value);
        dateFails[column] = !day.isValid() && isPresent(value);
        return day.isValid() ? day : zeroMoment().date();
    };
    const auto moment = [&](Column column) -> QVariant {
        const QVariant& value = cell(row, column);
        const QDateTime wall = value.isNull() ? QDateTime() : localWallClock(value);
        dateFails[column] = !wall.isValid() && isPresent(value);
        return wall.isValid() ? wall : zeroMoment();
    };

    store::PatientHeader h;
    h.labId = integer(LabId);
    h.name = text(Name);
    h.sex = text(Sex);
    h.birthDate = date(BDate);
    h.age = integer(Age);
    h.ageUnit = text(AgeU);
    h.account = integer(Account);
    h.workDate = date(WDate);
    h.process = moment(Process);
    h.physician = text(Physician);
    h.location = text(Location);
    h.room = text(Room);
    h.exLabId = text(ExLabId);
    h.genericCode = textOf(cell(row, GenericCode)).toString();
    h.description = text(Description);
    h.ss = text(Ss);
    h.printed = moment(Printed);
    if (absentPrinted == AbsentPrinted::Null && cell(row, Printed).isNull())
        h.printed = QVariant(QMetaType::fromType<QDateTime>());
    h.batch = batch;

    ReportRow result;
    result.header = store::addPatientValues(h);
    result.report = {h.labId, h.genericCode, text(RepCode)};
    if (m_withHl7)
        result.report << text(Hl7);

    // The message is only built for a row that fails, in the order the checks are listed.
    if (!m_missing.isEmpty()) {
        result.problem = QStringLiteral("the laboratory's answer has no column %1").arg(m_missing);
        return result;
    }
    const QString where = QStringLiteral("the laboratory's answer, row %1");
    for (Column key : {LabId, GenericCode}) {
        if (!isPresent(cell(row, key))) {
            result.problem = QStringLiteral("%1 has no %2").arg(where.arg(row + 1), QLatin1String(kColumnNames[key]));
            return result;
        }
    }
    const auto bad = [&](Column column, const char* what) {
        return QStringLiteral("%1: %2 \"%3\" is not %4")
            .arg(where.arg(row + 1), QLatin1String(kColumnNames[column]), cell(row, column).toString().left(40),
                 QLatin1String(what));
    };
    for (Column column : kNumberColumns) {
        const QVariant& value = cell(row, column);
        if (isPresent(value) && !isWholeNumber(value)) {
            result.problem = bad(column, "a whole number");
            return result;
        }
    }
    for (Column column : kDateColumns) {
        if (dateFails[column]) {
            result.problem = bad(column, "a date");
            return result;
        }
    }
    return result;
}

QList<QVariant> patientValues(const remote::Rowset& rows, int row, const QDateTime& batch,
                              AbsentPrinted absentPrinted)
{
    return ReportColumns(rows, false).read(row, batch, absentPrinted).header;
}

QList<QVariant> reportValues(const remote::Rowset& rows, int row, bool withHl7)
{
    return ReportColumns(rows, withHl7).read(row, {}).report;
}

QString reportRowProblem(const remote::Rowset& rows, int row, bool withHl7)
{
    return ReportColumns(rows, withHl7).read(row, {}).problem;
}

int integerValue(const remote::Rowset& rows, int row, const QString& column)
{
    return integerOf(rows.value(row, column));
}

QString textValue(const remote::Rowset& rows, int row, const QString& column)
{
    return textOf(rows.value(row, column)).toString();
}

QDateTime dateTimeValue(const remote::Rowset& rows, int row, const QString& column)
{
    const QVariant value = rows.value(row, column);
    if (value.isNull())
        return zeroMoment();
    const QDateTime moment = localWallClock(value);
    return moment.isValid() ? moment : zeroMoment();
}

} // namespace tv::intake
