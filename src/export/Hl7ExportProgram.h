// The built-in HL7 export program: the VBScript text the export engine runs when the installation
// has no EXPORT.DAT of its own. Kept as Hl7Export.vbs beside this header and compiled in at build time.
#pragma once

#include <QString>

namespace tv::exports {

/// The program's text, lines separated by LF.
QString builtinHl7ExportProgram();

} // namespace tv::exports
