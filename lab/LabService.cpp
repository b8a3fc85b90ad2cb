#include "lab/LabService.h"

#include "lab/StatementGuard.h"
#include "remote/FormEncoding.h"
#include "remote/Gzip.h"
#include "remote/PackScript.h"
#include "remote/Rowset.h"
#include "text/Cp1252.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tv::lab {

namespace {

HttpReply textReply(int status, const QString& text, const QString& note)
{
    return {status, text.toUtf8() + '\n', "text/plain; charset=utf-8", note};
}

// What the log shows of a statement: one line, not too long.
QString shortened(const QString& sql)
{
    QString line = sql.simplified();
    return line.size() > 160 ? line.left(157) + QLatin1String("...") : line;
}

tv::remote::Field fieldOf(const QSqlField& column)
{
    tv::remote::Field field;
    field.name = column.name();
    field.nullable = column.requiredStatus() != QSqlField::Required;
    switch (column.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::Short:
        field.type = tv::remote::FieldType::Integer;
        break;
    case QMetaType::LongLong:
        field.type = tv::remote::FieldType::BigInt;
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        field.type = column.precision() > 0 ? tv::remote::FieldType::Numeric : tv::remote::FieldType::Float;
        field.precision = column.length() > 0 ? static_cast<int>(column.length()) : 18;
        field.scale = column.precision() > 0 ? static_cast<int>(column.precision()) : 0;
        break;
    case QMetaType::QDate:
        field.type = tv::remote::FieldType::Date;
        break;
    case QMetaType::QDateTime:
        field.type = tv::remote::FieldType::DateTime;
        break;
    case QMetaType::Bool:
        field.type = tv::remote::FieldType::Boolean;
        break;
    case QMetaType::QByteArray:
        // Every blob of this database holds text.
        field.type = tv::remote::FieldType::LongText;
        break;
    default:
        field.type = tv::remote::FieldType::Text;
        field.maxLength = column.length() > 0 ? static_cast<int>(column.length()) : 255;
        break;
    }
    return field;
}

// The driver hands blobs over as their bytes; the service writes every text through Qt, as UTF-8.
QVariant valueOf(const QVariant& value, tv::remote::FieldType type)
{
    if (value.isNull()) return {};
    if (type == tv::remote::FieldType::LongText) return QString::fromUtf8(value.toByteArray());
    return value;
}

} // namespace

LabService::LabService(QSqlDatabase database, LabClock clock) : m_database(std::move(database)), m_clock(clock) {}

HttpReply LabService::handle(const HttpRequest& request)
{
    const QByteArray base = servicePath() + '/';
    if (!request.path.toLower().startsWith(base.toLower())) return textReply(404, QStringLiteral("not found"), {});
    const QByteArray operation = request.path.mid(base.size()).toLower();
    if (request.method != "GET" && request.method != "POST")
        return textReply(405, QStringLiteral("method not allowed"), {});

    const tv::remote::FormDecodeResult form = tv::remote::formDecode(request.body);
    if (!form.ok) return textReply(400, QStringLiteral("malformed form: %1").arg(form.message), form.message);
    const auto field = [&form](const char* name) -> std::optional<QByteArray> {
        for (const tv::remote::FormField& f : form.fields) {
            if (f.name == name) return f.value;
        }
        return std::nullopt;
    };

    if (operation == "ack") {
        const QString id = QString::fromLatin1(field("ID").value_or(QByteArray()));
        return textReply(200, QStringLiteral("ACK %1").arg(id), QStringLiteral("ID=%1").arg(id));
    }
    if (operation != "select" && operation != "script") return textReply(404, QStringLiteral("unknown operation"), {});
    const std::optional<QByteArray> sql = field("SQL");
    if (!sql) return textReply(400, QStringLiteral("the form has no SQL field"), QStringLiteral("no SQL field"));
    if (operation == "select") return select(tv::text::fromCp1252(*sql));
    return script(*sql);
}

HttpReply LabService::select(const QString& sql)
{
    const std::optional<QDateTime> fixedNow = m_clock.isFixed() ? std::optional(m_clock.now()) : std::nullopt;
    const GuardVerdict verdict = checkQuery(sql, fixedNow);
    if (!verdict.allowed)
        return textReply(403, verdict.reason, QStringLiteral("refused (%1): %2").arg(verdict.reason, shortened(sql)));

    m_database.transaction();
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(verdict.statement)) {
        const QString error = query.lastError().text();
        query.finish();
        m_database.rollback();
        return textReply(500, error, QStringLiteral("failed (%1): %2").arg(error, shortened(sql)));
    }
    tv::remote::Rowset rowset;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        rowset.fields.append(fieldOf(record.field(i)));
    while (query.next()) {
        tv::remote::Row row;
        row.reserve(rowset.fields.size());
        for (int i = 0; i < rowset.fields.size(); ++i)
            row.append(valueOf(query.value(i), rowset.fields[i].type));
        rowset.rows.append(std::move(row));
    }
    query.finish();
    m_database.commit();
    return {200, tv::remote::gzipCompress(tv::remote::writeRowsetXml(rowset)), "application/gzip",
            QStringLiteral("rows=%1 %2").arg(rowset.rows.size()).arg(shortened(sql))};
}

HttpReply LabService::script(const QByteArray& packed)
{
    const tv::remote::UnpackResult unpacked = tv::remote::unpackScript(packed);
    if (!unpacked.ok)
        return textReply(400, QStringLiteral("cannot unpack the script: %1").arg(unpacked.message), unpacked.message);
    const QString sql = tv::text::fromCp1252(unpacked.data);
    const std::optional<QDateTime> fixedNow = m_clock.isFixed() ? std::optional(m_clock.now()) : std::nullopt;
    const GuardVerdict verdict = checkScript(sql, fixedNow);
    if (!verdict.allowed)
        return textReply(403, verdict.reason, QStringLiteral("refused (%1): %2").arg(verdict.reason, shortened(sql)));

    m_database.transaction();
    QSqlQuery query(m_database);
    if (!query.exec(verdict.statement)) {
        const QString error = query.lastError().text();
        m_database.rollback();
        return textReply(500, error, QStringLiteral("failed (%1): %2").arg(error, shortened(sql)));
    }
    const int affected = query.numRowsAffected();
    m_database.commit();
    return textReply(200, QStringLiteral("OK %1").arg(affected),
                     QStringLiteral("rows=%1 %2").arg(affected).arg(shortened(sql)));
}

} // namespace tv::lab
