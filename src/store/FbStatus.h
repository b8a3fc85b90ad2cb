// Turns a Firebird status vector into the store's result: the engine's own text, and the kind
// of failure read from its error codes so a caller can say what to do about it.
#pragma once

#include "store/Connection.h"

#include <ibase.h>

namespace tv::store {

inline bool fbFailed(const ISC_STATUS* status)
{
    return status[0] == 1 && status[1] > 0;
}

StoreResult fbResult(const ISC_STATUS* status);

} // namespace tv::store
