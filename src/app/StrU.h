// Small text chores shared by several operations: one-line texts, splitting at a separator, and
// INI files beside the program. Every INI call opens the file anew, so a later call sees what an
// earlier one wrote; writes replace the file whole and atomically, so a failed write loses nothing.
#pragma once

#include <QString>
#include <QStringList>

namespace tv::app {

QString removeChar(const QString& text, QChar c);
QString replaceChar(const QString& text, QChar from, QChar to);
/// Removes every CR, then turns every LF into one blank.
QString stripLineBreaks(const QString& text);
/// "a|b" and "a|b|" give a, b; "a||b" gives a, "", b; "|a" gives "", a; "" gives nothing.
QStringList splitText(QString text, QChar separator);

enum class IniOp {
    Read = 0,
    Write = 1,
    DeleteKey = 2,
    EraseSection = 3,
    SectionExists = 4,
    KeyExists = 5,
    ReadSection = 6,   ///< name=value lines
    ReadSections = 7,  ///< section names
    ReadKeys = 8,      ///< key names of the section
};

struct IniResult {
    bool ok = true;
    QString text;  ///< operations 0, 6, 7, 8; lists as one item per line, each ended by CR LF
    bool flag = false;  ///< operations 4 and 5
    QString error;      ///< a file-system failure of a write
};

/// One operation on the INI file at `path`. A missing file reads as empty and is not created.
IniResult iniAccess(const QString& path, const QString& section, const QString& key, IniOp op,
                    const QString& value = {});
/// Operation 0 on `appFolder` + `baseName` + ".INI".
QString readIni(const QString& appFolder, const QString& baseName, const QString& section, const QString& key);

} // namespace tv::app
