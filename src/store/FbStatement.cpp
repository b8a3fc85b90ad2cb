#include "store/FbStatement.h"

#include "store/FbStatus.h"
#include "text/Cp1252.h"

#include <QDateTime>
#include <cmath>
#include <cstring>
#include <ctime>

namespace tv::store {

namespace {

constexpr int kSlot = 16;             // room for any fixed-size parameter value
constexpr int kMaxTextParam = 32765;  // a longer text must go to a blob parameter
constexpr unsigned short kSegment = 32000;

XSQLDA* area(std::vector<char>& storage)
{
    return reinterpret_cast<XSQLDA*>(storage.data());
}

XSQLDA* newArea(std::vector<char>& storage, int count)
{
    storage.assign(XSQLDA_LENGTH(count), 0);
    XSQLDA* da = area(storage);
    da->version = SQLDA_VERSION1;
    da->sqln = short(count);
    return da;
}

std::tm toTm(const QDate& date, const QTime& time)
{
    std::tm tm{};
    tm.tm_year = date.year() - 1900;
    tm.tm_mon = date.month() - 1;
    tm.tm_mday = date.day();
    tm.tm_hour = time.hour();
    tm.tm_min = time.minute();
    tm.tm_sec = time.second();
    return tm;
}

QDate dateOf(const std::tm& tm)
{
    return QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

QTime timeOf(const std::tm& tm, ISC_TIME raw)
{
    return QTime(tm.tm_hour, tm.tm_min, tm.tm_sec, int(raw % 10000) / 10);
}

StoreResult readBlob(isc_db_handle* db, isc_tr_handle* tr, ISC_QUAD* id, QByteArray* out)
{
    ISC_STATUS_ARRAY status{};
    isc_blob_handle blob = 0;
    if (isc_open_blob2(status, db, tr, &blob, id, 0, nullptr))
        return fbResult(status);
    char buffer[kSegment];
    for (;;) {
        unsigned short got = 0;
        const ISC_STATUS rc = isc_get_segment(status, &blob, &got, sizeof buffer, buffer);
        if (rc == isc_segstr_eof)
            break;
        if (rc != 0 && rc != isc_segment) {
            const StoreResult failed = fbResult(status);
            isc_cancel_blob(status, &blob);
            return failed;
        }
        out->append(buffer, got);
    }
    isc_close_blob(status, &blob);
    return fbResult(status);
}

StoreResult writeBlob(isc_db_handle* db, isc_tr_handle* tr, const QByteArray& bytes, ISC_QUAD* id)
{
    ISC_STATUS_ARRAY status{};
    isc_blob_handle blob = 0;
    if (isc_create_blob2(status, db, tr, &blob, id, 0, nullptr))
        return fbResult(status);
    for (qsizetype at = 0; at < bytes.size(); at += kSegment) {
        const auto length = static_cast<unsigned short>(std::min<qsizetype>(kSegment, bytes.size() - at));
        if (isc_put_segment(status, &blob, length, bytes.constData() + at)) {
            const StoreResult failed = fbResult(status);
            isc_cancel_blob(status, &blob);
            return failed;
        }
    }
    isc_close_blob(status, &blob);
    return fbResult(status);
}

qint64 integerOf(const XSQLVAR& var)
{
    switch (var.sqltype & ~1) {
    case SQL_SHORT:
        return *reinterpret_cast<const short*>(var.sqldata);
    case SQL_LONG:
        return *reinterpret_cast<const ISC_LONG*>(var.sqldata);
    default:
        return *reinterpret_cast<const ISC_INT64*>(var.sqldata);
    }
}

} // namespace

FbStatement::~FbStatement()
{
    if (m_stmt) {
        ISC_STATUS_ARRAY status{};
        isc_dsql_free_statement(status, &m_stmt, DSQL_drop);
    }
}

StoreResult FbStatement::prepare(isc_db_handle* db, isc_tr_handle* tr, const QByteArray& sql)
{
    ISC_STATUS_ARRAY status{};
    if (isc_dsql_allocate_statement(status, db, &m_stmt))
        return fbResult(status);
    XSQLDA* out = newArea(m_outArea, 24);
    if (isc_dsql_prepare(status, tr, &m_stmt, 0, sql.constData(), SQL_DIALECT_V6, out))
        return fbResult(status);
    if (out->sqld > out->sqln) {
        out = newArea(m_outArea, out->sqld);
        if (isc_dsql_describe(status, &m_stmt, SQL_DIALECT_V6, out))
            return fbResult(status);
    }
    XSQLDA* in = newArea(m_inArea, 24);
    if (isc_dsql_describe_bind(status, &m_stmt, SQL_DIALECT_V6, in))
        return fbResult(status);
    if (in->sqld > in->sqln) {
        in = newArea(m_inArea, in->sqld);
        if (isc_dsql_describe_bind(status, &m_stmt, SQL_DIALECT_V6, in))
            return fbResult(status);
    }
    const char item = isc_info_sql_stmt_type;
    char info[16] = {};
    if (isc_dsql_sql_info(status, &m_stmt, 1, &item, sizeof info, info))
        return fbResult(status);
    const short length = short(isc_vax_integer(info + 1, 2));
    m_type = int(isc_vax_integer(info + 3, length));

    std::size_t size = 0;
    for (int i = 0; i < out->sqld; ++i) {
        const XSQLVAR& var = out->sqlvar[i];
        const int type = var.sqltype & ~1;
        const std::size_t need = type == SQL_VARYING ? var.sqllen + 2
                                 : type == SQL_BLOB  ? sizeof(ISC_QUAD)
                                                     : var.sqllen;
        size += (need + 7) & ~std::size_t(7);
    }
    m_outData.assign(size, 0);
    m_outNulls.assign(out->sqld, 0);
    std::size_t at = 0;
    for (int i = 0; i < out->sqld; ++i) {
        XSQLVAR& var = out->sqlvar[i];
        const int type = var.sqltype & ~1;
        const std::size_t need = type == SQL_VARYING ? var.sqllen + 2
                                 : type == SQL_BLOB  ? sizeof(ISC_QUAD)
                                                     : var.sqllen;
        var.sqldata = m_outData.data() + at;
        var.sqlind = &m_outNulls[i];
        at += (need + 7) & ~std::size_t(7);
    }
    return {};
}

StoreResult FbStatement::bind(isc_db_handle* db, isc_tr_handle* tr, const QVariantList& params)
{
    XSQLDA* in = area(m_inArea);
    if (params.size() != in->sqld)
        return StoreResult::fail(QStringLiteral("The statement expects %1 values but was given %2.")
                                     .arg(in->sqld)
                                     .arg(params.size()));
    m_paramBytes.assign(params.size(), {});
    m_paramData.assign(std::size_t(params.size()) * kSlot, 0);
    m_paramNulls.assign(params.size(), 0);
    for (int i = 0; i < in->sqld; ++i) {
        XSQLVAR& var = in->sqlvar[i];
        const QVariant& value = params[i];
        const int target = var.sqltype & ~1;
        char* slot = m_paramData.data() + std::size_t(i) * kSlot;
        var.sqlind = &m_paramNulls[i];
        var.sqldata = slot;
        var.sqlscale = 0;
        if (value.isNull()) {
            var.sqltype = short(target | 1);
            m_paramNulls[i] = -1;
            continue;
        }
        const int type = value.typeId();
        if (target == SQL_BLOB) {
            const QByteArray bytes =
                type == QMetaType::QByteArray ? value.toByteArray() : text::toCp1252(value.toString());
            if (StoreResult written = writeBlob(db, tr, bytes, reinterpret_cast<ISC_QUAD*>(slot)); !written.ok)
                return written;
            var.sqltype = SQL_BLOB | 1;
            var.sqllen = sizeof(ISC_QUAD);
            continue;
        }
        switch (type) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            *reinterpret_cast<ISC_INT64*>(slot) = value.toLongLong();
            var.sqltype = SQL_INT64 | 1;
            var.sqllen = sizeof(ISC_INT64);
            break;
        case QMetaType::Double:
            *reinterpret_cast<double*>(slot) = value.toDouble();
            var.sqltype = SQL_DOUBLE | 1;
            var.sqllen = sizeof(double);
            break;
        case QMetaType::QDate: {
            std::tm tm = toTm(value.toDate(), QTime(0, 0));
            isc_encode_sql_date(&tm, reinterpret_cast<ISC_DATE*>(slot));
            var.sqltype = SQL_TYPE_DATE | 1;
            var.sqllen = sizeof(ISC_DATE);
            break;
        }
        case QMetaType::QTime: {
            const QTime time = value.toTime();
            std::tm tm = toTm(QDate(2000, 1, 1), time);
            isc_encode_sql_time(&tm, reinterpret_cast<ISC_TIME*>(slot));
            *reinterpret_cast<ISC_TIME*>(slot) += ISC_TIME(time.msec()) * 10;
            var.sqltype = SQL_TYPE_TIME | 1;
            var.sqllen = sizeof(ISC_TIME);
            break;
        }
        case QMetaType::QDateTime: {
            const QDateTime moment = value.toDateTime();
            std::tm tm = toTm(moment.date(), moment.time());
            auto* stamp = reinterpret_cast<ISC_TIMESTAMP*>(slot);
            isc_encode_timestamp(&tm, stamp);
            stamp->timestamp_time += ISC_TIME(moment.time().msec()) * 10;
            var.sqltype = SQL_TIMESTAMP | 1;
            var.sqllen = sizeof(ISC_TIMESTAMP);
            break;
        }
        default: {
            QByteArray& bytes = m_paramBytes[i];
            bytes = type == QMetaType::QByteArray ? value.toByteArray() : text::toCp1252(value.toString());
            if (bytes.size() > kMaxTextParam)
                return StoreResult::fail(QStringLiteral("A text of %1 bytes is too long for parameter %2.")
                                             .arg(bytes.size())
                                             .arg(i + 1));
            var.sqltype = SQL_TEXT | 1;
            var.sqlsubtype = 0;
            var.sqllen = short(bytes.size());
            if (!bytes.isEmpty())
                var.sqldata = bytes.data();
            break;
        }
        }
    }
    return {};
}

StoreResult FbStatement::run(isc_db_handle* db, isc_tr_handle* tr, const QVariantList& params, Rows* rows)
{
    if (StoreResult bound = bind(db, tr, params); !bound.ok)
        return bound;
    ISC_STATUS_ARRAY status{};
    XSQLDA* in = area(m_inArea);
    XSQLDA* out = area(m_outArea);
    XSQLDA* inArg = in->sqld ? in : nullptr;
    if (m_type == isc_info_sql_stmt_select || m_type == isc_info_sql_stmt_select_for_upd) {
        if (isc_dsql_execute(status, tr, &m_stmt, SQL_DIALECT_V6, inArg))
            return fbResult(status);
        StoreResult fetched = fetchAll(db, tr, rows);
        isc_dsql_free_statement(status, &m_stmt, DSQL_close);
        return fetched;
    }
    if (isc_dsql_execute2(status, tr, &m_stmt, SQL_DIALECT_V6, inArg, out->sqld ? out : nullptr))
        return fbResult(status);
    return {};
}

StoreResult FbStatement::fetchAll(isc_db_handle* db, isc_tr_handle* tr, Rows* rows)
{
    XSQLDA* out = area(m_outArea);
    Rows local;
    Rows& target = rows ? *rows : local;
    target.columns.clear();
    target.rows.clear();
    for (int i = 0; i < out->sqld; ++i)
        target.columns.append(QString::fromUtf8(out->sqlvar[i].aliasname, out->sqlvar[i].aliasname_length));
    ISC_STATUS_ARRAY status{};
    for (;;) {
        const ISC_STATUS rc = isc_dsql_fetch(status, &m_stmt, SQL_DIALECT_V6, out);
        if (rc == 100)
            return {};
        if (rc != 0)
            return fbResult(status);
        QVariantList row;
        row.reserve(out->sqld);
        for (int i = 0; i < out->sqld; ++i) {
            QVariant value;
            if (StoreResult read = readColumn(db, tr, out->sqlvar[i], &value); !read.ok)
                return read;
            row.append(std::move(value));
        }
        target.rows.append(std::move(row));
    }
}

StoreResult FbStatement::readColumn(isc_db_handle* db, isc_tr_handle* tr, const XSQLVAR& var, QVariant* value)
{
    if ((var.sqltype & 1) && *var.sqlind < 0) {
        *value = QVariant();
        return {};
    }
    const int type = var.sqltype & ~1;
    switch (type) {
    case SQL_TEXT:
        *value = text::fromCp1252(QByteArrayView(var.sqldata, var.sqllen));
        break;
    case SQL_VARYING:
        *value = text::fromCp1252(QByteArrayView(var.sqldata + 2, *reinterpret_cast<const short*>(var.sqldata)));
        break;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        if (var.sqlscale < 0)
            *value = double(integerOf(var)) / std::pow(10.0, -var.sqlscale);
        else if (type == SQL_INT64)
            *value = qlonglong(integerOf(var));
        else
            *value = int(integerOf(var));
        break;
    case SQL_FLOAT:
        *value = double(*reinterpret_cast<const float*>(var.sqldata));
        break;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        *value = *reinterpret_cast<const double*>(var.sqldata);
        break;
    case SQL_TYPE_DATE: {
        std::tm tm{};
        isc_decode_sql_date(reinterpret_cast<const ISC_DATE*>(var.sqldata), &tm);
        *value = dateOf(tm);
        break;
    }
    case SQL_TYPE_TIME: {
        std::tm tm{};
        const auto* raw = reinterpret_cast<const ISC_TIME*>(var.sqldata);
        isc_decode_sql_time(raw, &tm);
        *value = timeOf(tm, *raw);
        break;
    }
    case SQL_TIMESTAMP: {
        std::tm tm{};
        const auto* stamp = reinterpret_cast<const ISC_TIMESTAMP*>(var.sqldata);
        isc_decode_timestamp(stamp, &tm);
        *value = QDateTime(dateOf(tm), timeOf(tm, stamp->timestamp_time));
        break;
    }
    case SQL_BLOB: {
        QByteArray bytes;
        ISC_QUAD id;
        std::memcpy(&id, var.sqldata, sizeof id);
        if (StoreResult read = readBlob(db, tr, &id, &bytes); !read.ok)
            return read;
        *value = var.sqlsubtype == isc_blob_text ? QVariant(text::fromCp1252(bytes)) : QVariant(bytes);
        break;
    }
    case SQL_BOOLEAN:
        *value = *var.sqldata != 0;
        break;
    default:
        return StoreResult::fail(QStringLiteral("Column %1 has a type the store does not read (%2).")
                                     .arg(QString::fromUtf8(var.aliasname, var.aliasname_length))
                                     .arg(type));
    }
    return {};
}

} // namespace tv::store
