// The export program an installation runs: EXPORT.DAT in the installation folder when it is there
// (the customer's vendor may bring its own format), else the built-in HL7 program, which is then
// saved as EXPORT.DAT so the file always shows what runs.
#pragma once

#include <QString>

namespace tv::exports {

struct ExportProgramText {
    QString text;          ///< the program, lines separated by LF
    bool fromFile = false; ///< read from EXPORT.DAT; else the built-in program
    QString error;         ///< EXPORT.DAT could not be read (text empty) or saved (the built-in text still runs)
};

/// Reads EXPORT.DAT (Windows-1252 text) or writes the built-in program to it, lines ended by CR LF.
ExportProgramText loadExportProgram(const QString& appFolder);

} // namespace tv::exports
