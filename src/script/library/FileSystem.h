// Shared pieces of the file system objects: path spelling (scripts write Windows paths with "\";
// both separators are accepted), the File and Folder objects, and opening text streams.
#pragma once

#include "script/Builtins.h"

class QDateTime;

namespace tv::script::lib {

/// The path as this system spells it: "\" becomes "/".
QString nativePath(const QString& scriptPath);
/// A file time as a Date serial.
double serialOf(const QDateTime& time);

Variant fileObject(const QString& path);
Variant folderObject(const QString& path);

enum class IoMode { Read = 1, Write = 2, Append = 8 };

struct TextOpen {
    IoMode mode = IoMode::Read;
    bool create = false;        ///< a missing file is created (otherwise error 53)
    bool failIfExists = false;  ///< an existing file is error 58
    int format = 0;             ///< 0 Windows-1252, -1 UTF-16LE, -2 Windows-1252 unless the file has a UTF-16 mark
};

/// Opens a TextStream; errors 53, 58, 76 or 70 as the file system answers.
Variant openTextStream(Context& cx, const QString& path, const TextOpen& how);

/// Copies one file, charging the bytes against the engine's output limit; errors 53, 58, 70.
void copyFile(Context& cx, const QString& from, const QString& to, bool overwrite);

} // namespace tv::script::lib
