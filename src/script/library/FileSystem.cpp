// Scripting.FileSystemObject: path text functions, existence tests, files and folders created,
// copied, moved and deleted, text files opened. Nothing here starts a program or reads a device.

#include "script/library/Args.h"
#include "script/library/FileAccess.h"
#include "script/library/FileSystem.h"
#include "script/library/Objects.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <atomic>

namespace tv::script::lib {

namespace {

enum {
    kBuildPath, kGetFileName, kGetBaseName, kGetExtensionName, kGetParentFolderName, kGetAbsolutePathName,
    kGetTempName, kGetSpecialFolder, kFileExists, kFolderExists, kGetFile, kGetFolder, kCreateFolder,
    kDeleteFile, kDeleteFolder, kCopyFile, kMoveFile, kCreateTextFile, kOpenTextFile
};

const ClassInfo kInfo("FileSystemObject", {{"BuildPath", kBuildPath, 2, 2},
                                           {"GetFileName", kGetFileName, 1, 1},
                                           {"GetBaseName", kGetBaseName, 1, 1},
                                           {"GetExtensionName", kGetExtensionName, 1, 1},
                                           {"GetParentFolderName", kGetParentFolderName, 1, 1},
                                           {"GetAbsolutePathName", kGetAbsolutePathName, 1, 1},
                                           {"GetTempName", kGetTempName, 0, 0},
                                           {"GetSpecialFolder", kGetSpecialFolder, 1, 1},
                                           {"FileExists", kFileExists, 1, 1},
                                           {"FolderExists", kFolderExists, 1, 1},
                                           {"GetFile", kGetFile, 1, 1},
                                           {"GetFolder", kGetFolder, 1, 1},
                                           {"CreateFolder", kCreateFolder, 1, 1},
                                           {"DeleteFile", kDeleteFile, 1, 2},
                                           {"DeleteFolder", kDeleteFolder, 1, 2},
                                           {"CopyFile", kCopyFile, 2, 3},
                                           {"MoveFile", kMoveFile, 2, 2},
                                           {"CreateTextFile", kCreateTextFile, 1, 3},
                                           {"OpenTextFile", kOpenTextFile, 1, 4}});

bool isSeparator(QChar c) { return c == u'\\' || c == u'/'; }

QString withoutTrailingSeparators(QString p)
{
    while (p.size() > 1 && isSeparator(p.back()))
        p.chop(1);
    return p;
}

qsizetype lastSeparator(const QString& p)
{
    return std::max(p.lastIndexOf(u'\\'), p.lastIndexOf(u'/'));
}

QString fileName(const QString& path)
{
    const QString p = withoutTrailingSeparators(path);
    return p.size() == 1 && isSeparator(p[0]) ? QString() : p.mid(lastSeparator(p) + 1);
}

QString parentFolder(const QString& path)
{
    const QString p = withoutTrailingSeparators(path);
    const qsizetype at = lastSeparator(p);
    if (at < 0 || p.size() == 1)
        return QString();
    if (at == 0)
        return p.left(1);
    if (p[at - 1] == u':')
        return p.left(at + 1);
    return withoutTrailingSeparators(p.left(at));
}

QString buildPath(const QString& path, const QString& name)
{
    if (path.isEmpty() || isSeparator(path.back()))
        return path + name;
    const QChar separator = path.contains(u'\\') && !path.contains(u'/') ? u'\\' : u'/';
    return path + separator + name;
}

// The files a DeleteFile/CopyFile spec names: one path, or "*" and "?" in its last part.
QStringList matchingFiles(const QString& spec)
{
    const QString path = nativePath(spec);
    const QString name = fileName(path);
    if (!name.contains(u'*') && !name.contains(u'?'))
        return QFileInfo(path).isFile() ? QStringList{path} : QStringList{};
    QDir dir(parentFolder(path).isEmpty() ? QStringLiteral(".") : parentFolder(path));
    QStringList out;
    for (const QFileInfo& f : dir.entryInfoList({name}, QDir::Files | QDir::Hidden, QDir::Name))
        out << f.filePath();
    return out;
}

class FileSystemObject : public NativeObject {
public:
    FileSystemObject() : NativeObject(kInfo) {}
    Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) override;
};

Variant FileSystemObject::invoke(Context& cx, int id, Invoke kind, std::span<Variant> a)
{
    if (kind != Invoke::Get)
        raise(450);
    m_info.checkArgs(id, a.size());
    switch (id) {
    case kBuildPath: return Variant(buildPath(a[0].toString(), a[1].toString()));
    case kGetFileName: return Variant(fileName(a[0].toString()));
    case kGetBaseName:
    case kGetExtensionName: {
        const QString name = fileName(a[0].toString());
        const qsizetype dot = name.lastIndexOf(u'.');
        if (id == kGetBaseName)
            return Variant(dot < 0 ? name : name.left(dot));
        return Variant(dot < 0 ? QString() : name.mid(dot + 1));
    }
    case kGetParentFolderName: return Variant(parentFolder(a[0].toString()));
    case kGetAbsolutePathName: return Variant(QFileInfo(nativePath(a[0].toString())).absoluteFilePath());
    case kGetTempName:
        return Variant(QStringLiteral("rad%1.tmp").arg(QString::number(QRandomGenerator::global()->bounded(0x100000), 16).rightJustified(5, u'0').toUpper()));
    case kGetSpecialFolder:
        if (a[0].toLong() != 2)
            raise(5, QStringLiteral("Only the temporary folder (2) is available to scripts"));
        return folderObject(QDir::tempPath());
    case kFileExists: return Variant::fromBool(QFileInfo(nativePath(a[0].toString())).isFile());
    case kFolderExists: return Variant::fromBool(QFileInfo(nativePath(a[0].toString())).isDir());
    case kGetFile: return fileObject(a[0].toString());
    case kGetFolder: return folderObject(a[0].toString());
    case kCreateFolder: {
        const QString path = nativePath(a[0].toString());
        const QFileInfo info(path);
        if (info.exists())
            raise(58);
        if (!info.dir().exists())
            raise(76);
        if (!QDir().mkdir(path))
            raise(70);
        return folderObject(path);
    }
    case kDeleteFile: {
        const QStringList files = matchingFiles(a[0].toString());
        if (files.isEmpty())
            raise(53);
        for (const QString& f : files)
            if (!QFile::remove(f))
                raise(70);
        return {};
    }
    case kDeleteFolder: {
        QDir dir(nativePath(a[0].toString()));
        if (!dir.exists())
            raise(76);
        if (!dir.removeRecursively())
            raise(70);
        return {};
    }
    case kCopyFile:
    case kMoveFile: {
        const QStringList files = matchingFiles(a[0].toString());
        if (files.isEmpty())
            raise(53);
        const QString target = nativePath(a[1].toString());
        if (target.isEmpty())
            raise(5);
        const bool intoFolder = files.size() > 1 || isSeparator(target.back()) || QFileInfo(target).isDir();
        for (const QString& f : files) {
            const QString to = intoFolder ? buildPath(target, fileName(f)) : target;
            if (id == kCopyFile) {
                copyFile(cx, f, to, boolArg(a, 2, true));
            } else {
                if (QFileInfo::exists(to))
                    raise(58);
                if (!QFile::rename(f, to))
                    raise(QFileInfo(to).dir().exists() ? 70 : 76);
            }
        }
        return {};
    }
    case kCreateTextFile: {
        TextOpen how;
        how.mode = IoMode::Write;
        how.create = true;
        how.failIfExists = !boolArg(a, 1, true);
        how.format = boolArg(a, 2, false) ? -1 : 0;
        return openTextStream(cx, a[0].toString(), how);
    }
    default: {
        TextOpen how;
        const int32_t mode = intArg(a, 1, 1);
        if (mode != 1 && mode != 2 && mode != 8)
            raise(5);
        how.mode = IoMode(mode);
        how.create = boolArg(a, 2, false);
        how.format = intArg(a, 3, 0);
        if (how.format < -2 || how.format > 0)
            raise(5);
        return openTextStream(cx, a[0].toString(), how);
    }
    }
}

} // namespace

QString nativePath(const QString& scriptPath)
{
    QString p = scriptPath;
    p.replace(u'\\', u'/');
    return p;
}

double serialOf(const QDateTime& time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    return dateFromParts(d.year(), d.month(), d.day()) + timeFromParts(t.hour(), t.minute(), t.second());
}

void copyFile(Context& cx, const QString& from, const QString& to, bool overwrite)
{
    const QFileInfo source(from);
    if (!source.isFile())
        raise(53);
    const QFileInfo target(to);
    if (target.exists()) {
        if (!overwrite)
            raise(58);
        if (source.canonicalFilePath() == target.canonicalFilePath())
            raise(70);
        if (!QFile::remove(to))
            raise(70);
    }
    cx.chargeOutput(source.size());
    if (!QFile::copy(from, to))
        raise(target.dir().exists() ? 70 : 76);
}

namespace {
std::atomic<bool> g_fileAccess{true};
}

void setFileAccessAllowed(bool allowed)
{
    g_fileAccess = allowed;
}

bool fileAccessAllowed()
{
    return g_fileAccess;
}

Ref<ScriptObject> newFileSystemObject(Context&)
{
    if (!fileAccessAllowed())
        raise(70, QStringLiteral("Permission denied: this engine has no file access"));
    return Ref<ScriptObject>(new FileSystemObject);
}

} // namespace tv::script::lib
