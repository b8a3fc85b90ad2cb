// Running a unit of work inside one transaction of the store's connection: it is committed only
// when the work succeeded, and rolled back on any failure, so a half-stored batch never remains.
#pragma once

#include "store/Connection.h"

namespace tv::store {

/// `work(QString* error)` returns false (with `error` set) to roll everything back.
template <typename Work>
bool inTransaction(Connection& db, QString* error, Work work)
{
    const StoreResult begun = db.beginTransaction();
    if (!begun.ok) {
        *error = begun.message;
        return false;
    }
    if (!work(error)) {
        db.rollback();
        return false;
    }
    const StoreResult committed = db.commit();
    if (!committed.ok) {
        db.rollback();
        *error = committed.message;
        return false;
    }
    return true;
}

/// The message of a failed result into `error`; true when it succeeded.
inline bool succeeded(const StoreResult& result, QString* error)
{
    if (!result.ok)
        *error = result.message;
    return result.ok;
}

} // namespace tv::store
