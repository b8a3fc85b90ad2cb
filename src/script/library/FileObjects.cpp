// File and Folder objects of the file system object, and the Files/SubFolders collections. Each
// holds only its path and asks the file system when a property is read.

#include "script/library/Args.h"
#include "script/library/FileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tv::script::lib {

namespace {

// Members shared by File and Folder keep the same ids; Path is the default member of both.
enum { kPath = 0, kName, kSize, kDateCreated, kDateLastModified, kDateLastAccessed, kParentFolder, kDelete,
       kCopy, kMove, kOpenAsTextStream, kFiles, kSubFolders, kIsRootFolder, kCreateTextFile };

const ClassInfo kFileInfo("File", {{"Path", kPath, 0, 0},
                                   {"Name", kName, 0, 0},
                                   {"Size", kSize, 0, 0},
                                   {"DateCreated", kDateCreated, 0, 0},
                                   {"DateLastModified", kDateLastModified, 0, 0},
                                   {"DateLastAccessed", kDateLastAccessed, 0, 0},
                                   {"ParentFolder", kParentFolder, 0, 0},
                                   {"Delete", kDelete, 0, 1},
                                   {"Copy", kCopy, 1, 2},
                                   {"Move", kMove, 1, 1},
                                   {"OpenAsTextStream", kOpenAsTextStream, 0, 2}});

const ClassInfo kFolderInfo("Folder", {{"Path", kPath, 0, 0},
                                       {"Name", kName, 0, 0},
                                       {"Size", kSize, 0, 0},
                                       {"DateCreated", kDateCreated, 0, 0},
                                       {"DateLastModified", kDateLastModified, 0, 0},
                                       {"DateLastAccessed", kDateLastAccessed, 0, 0},
                                       {"ParentFolder", kParentFolder, 0, 0},
                                       {"Delete", kDelete, 0, 1},
                                       {"Files", kFiles, 0, 1},
                                       {"SubFolders", kSubFolders, 0, 1},
                                       {"IsRootFolder", kIsRootFolder, 0, 0},
                                       {"CreateTextFile", kCreateTextFile, 1, 3}});

enum { kItem = 0, kCount };
const ClassInfo kFilesInfo("Files", {{"Item", kItem, 1, 1}, {"Count", kCount, 0, 0}});
const ClassInfo kFoldersInfo("Folders", {{"Item", kItem, 1, 1}, {"Count", kCount, 0, 0}});

qint64 folderSize(const QString& path)
{
    qint64 total = 0;
    const QDir dir(path);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        total += f.isDir() && !f.isSymLink() ? folderSize(f.filePath()) : f.size();
    return total;
}

class Entry : public NativeObject {
public:
    Entry(const ClassInfo& info, QString path) : NativeObject(info), m_path(std::move(path)) {}

    Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) override;

private:
    bool isFolder() const { return &m_info == &kFolderInfo; }
    QString m_path;
};

// The entries of a folder, listed when the collection is made; Item takes a name.
class Listing : public NativeObject {
public:
    Listing(const QString& folder, bool folders)
        : NativeObject(folders ? kFoldersInfo : kFilesInfo), m_folder(folder), m_folders(folders)
    {
        const auto filter = (folders ? QDir::Dirs | QDir::NoDotAndDotDot : QDir::Files) | QDir::Hidden;
        m_names = QDir(folder).entryList(filter, QDir::Name);
    }

    Variant invoke(Context&, int id, Invoke kind, std::span<Variant> args) override
    {
        if (kind != Invoke::Get)
            raise(450);
        m_info.checkArgs(id, args.size());
        if (id == kCount)
            return Variant::fromLong(int32_t(m_names.size()));
        const QString name = args[0].toString();
        if (!m_names.contains(name))
            raise(m_folders ? 76 : 53);
        return item(name);
    }

    bool enumerate(Context&, std::vector<Variant>& items) override
    {
        for (const QString& name : m_names)
            items.push_back(item(name));
        return true;
    }

private:
    Variant item(const QString& name) const
    {
        const QString path = QDir(m_folder).filePath(name);
        return m_folders ? folderObject(path) : fileObject(path);
    }

    QString m_folder;
    bool m_folders;
    QStringList m_names;
};

Variant Entry::invoke(Context& cx, int id, Invoke kind, std::span<Variant> args)
{
    if (kind != Invoke::Get)
        raise(450);
    m_info.checkArgs(id, args.size());
    const QFileInfo info(m_path);
    if (!(isFolder() ? info.isDir() : info.isFile()))
        raise(isFolder() ? 76 : 53);
    switch (id) {
    case kPath: return Variant(info.absoluteFilePath());
    case kName: return Variant(info.fileName().isEmpty() ? info.absoluteFilePath() : info.fileName());
    case kSize: return Variant::fromWhole(isFolder() ? folderSize(m_path) : info.size());
    case kDateCreated: return Variant::fromDate(serialOf(info.birthTime().isValid() ? info.birthTime() : info.lastModified()));
    case kDateLastModified: return Variant::fromDate(serialOf(info.lastModified()));
    case kDateLastAccessed: return Variant::fromDate(serialOf(info.lastRead()));
    case kParentFolder: return info.absoluteDir() == QDir(m_path) ? Variant::nothing() : folderObject(info.absolutePath());
    case kIsRootFolder: return Variant::fromBool(QDir(m_path).isRoot());
    case kFiles: return indexed(cx, Variant::fromObject(new Listing(m_path, false)), args);
    case kSubFolders: return indexed(cx, Variant::fromObject(new Listing(m_path, true)), args);
    case kDelete:
        if (!(isFolder() ? QDir(m_path).removeRecursively() : QFile::remove(m_path)))
            raise(70);
        return {};
    case kCopy: {
        const QString target = nativePath(args[0].toString());
        const bool intoFolder = target.endsWith(u'/') || QFileInfo(target).isDir();
        copyFile(cx, m_path, intoFolder ? QDir(target).filePath(info.fileName()) : target, boolArg(args, 1, true));
        return {};
    }
    case kMove: {
        QString target = nativePath(args[0].toString());
        if (target.endsWith(u'/') || QFileInfo(target).isDir())
            target = QDir(target).filePath(info.fileName());
        if (QFileInfo::exists(target))
            raise(58);
        if (!QFile::rename(m_path, target))
            raise(70);
        m_path = target;
        return {};
    }
    case kCreateTextFile: {
        TextOpen how;
        how.mode = IoMode::Write;
        how.create = true;
        how.failIfExists = !boolArg(args, 1, true);
        how.format = boolArg(args, 2, false) ? -1 : 0;
        return openTextStream(cx, QDir(m_path).filePath(nativePath(args[0].toString())), how);
    }
    default: {
        TextOpen how;
        const int32_t mode = intArg(args, 0, 1);
        if (mode != 1 && mode != 2 && mode != 8)
            raise(5);
        how.mode = IoMode(mode);
        how.format = intArg(args, 1, 0);
        return openTextStream(cx, m_path, how);
    }
    }
}

} // namespace

Variant fileObject(const QString& path)
{
    const QString p = nativePath(path);
    if (!QFileInfo(p).isFile())
        raise(53);
    return Variant::fromObject(new Entry(kFileInfo, p));
}

Variant folderObject(const QString& path)
{
    const QString p = nativePath(path);
    if (!QFileInfo(p).isDir())
        raise(76);
    return Variant::fromObject(new Entry(kFolderInfo, p));
}

} // namespace tv::script::lib
