// The way the remote layer tells the user something: an instruction and a content line, shown by
// whatever the application plugs in (a dialog, a recorder in tests, a line on the command line).
#pragma once

#include <QString>
#include <functional>

namespace tv::remote {

using NoticeFn = std::function<void(const QString& instruction, const QString& content)>;

} // namespace tv::remote
