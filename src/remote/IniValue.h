// A read-only look-up in an INI file with the usual Windows semantics: section and key names
// match without regard to case, the first match wins, blanks around names and values and one
// pair of surrounding quotes are dropped, and a missing file, section or key reads as empty.
#pragma once

#include <QString>

namespace tv::remote {

QString readIniValue(const QString& path, const QString& section, const QString& key);

} // namespace tv::remote
