// The printed image's shift in sixteenths of an inch, stored per mode in the configuration, and the
// "n/16" texts the report programs receive. Reading refuses a stored value that is not a whole number
// instead of guessing one.
#pragma once

#include "store/ConfigStore.h"

namespace tv::exports {

struct OffsetKeys {
    QString x;
    QString y;
};

/// PRINT.XOFFSET / PRINT.YOFFSET, with ".LC" in the reference-laboratory mode.
OffsetKeys offsetKeys(bool referenceMode);

/// The horizontal position followed by "/16".
QString xOffsetText(int position);
/// The vertical position negated followed by "/16": the page moves up for a positive position.
QString yOffsetText(int position);

struct StoredOffsets : store::StoreResult {
    int x = 0;
    int y = 0;
};

/// The mode's stored positions (an empty value is 0); fails on a value that is not a whole number.
StoredOffsets readOffsets(const store::ConfigStore& config, bool referenceMode);
/// Stores a track bar position under the mode's key.
store::StoreResult storeXOffset(const store::ConfigStore& config, bool referenceMode, int position);
store::StoreResult storeYOffset(const store::ConfigStore& config, bool referenceMode, int position);

} // namespace tv::exports
