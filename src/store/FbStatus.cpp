#include "store/FbStatus.h"

#include <QList>

namespace tv::store {

namespace {

QList<ISC_STATUS> errorCodes(const ISC_STATUS* status)
{
    QList<ISC_STATUS> codes;
    for (const ISC_STATUS* p = status; *p != isc_arg_end;) {
        const ISC_STATUS kind = *p++;
        switch (kind) {
        case isc_arg_gds:
            codes.append(*p++);
            break;
        case isc_arg_cstring:
            p += 2;
            break;
        default:  // a string, number, interpreted text, SQL state or warning: one value
            ++p;
            break;
        }
    }
    return codes;
}

StoreFailure classify(const QList<ISC_STATUS>& codes)
{
    if (codes.contains(isc_already_opened))
        return StoreFailure::InUse;
    if (codes.contains(isc_bad_db_format) || codes.contains(isc_io_read_err))
        return StoreFailure::Damaged;
    if (codes.contains(isc_no_priv) || codes.contains(isc_io_create_err) || codes.contains(isc_io_write_err))
        return StoreFailure::NoAccess;
    if (codes.contains(isc_io_open_err))
        return StoreFailure::Missing;
    return StoreFailure::Other;
}

} // namespace

StoreResult fbResult(const ISC_STATUS* status)
{
    if (!fbFailed(status))
        return {};
    QString text;
    char buffer[1024];
    const ISC_STATUS* vector = status;
    while (fb_interpret(buffer, sizeof buffer, &vector) > 0) {
        if (!text.isEmpty())
            text += QLatin1String(" - ");
        text += QString::fromLocal8Bit(buffer);
    }
    return StoreResult::fail(text, classify(errorCodes(status)));
}

} // namespace tv::store
