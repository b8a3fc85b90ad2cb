#include "app/StrU.h"

#include "text/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace tv::app {

QString removeChar(const QString& text, QChar c)
{
    QString out = text;
    out.remove(c);
    return out;
}

QString replaceChar(const QString& text, QChar from, QChar to)
{
    QString out = text;
    out.replace(from, to);
    return out;
}

QString stripLineBreaks(const QString& text)
{
    return replaceChar(removeChar(text, QChar(13)), QChar(10), QLatin1Char(' '));
}

QStringList splitText(QString text, QChar separator)
{
    QStringList items;
    if (text.isEmpty())
        return items;
    if (!text.endsWith(separator))
        text.append(separator);
    for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator)) {
        items.append(text.left(at));
        text.remove(0, at + 1);
    }
    return items;
}

namespace {

QString listText(const QStringList& items)
{
    QString text;
    for (const QString& item : items)
        text += item + QLatin1String("\r\n");
    return text;
}

} // namespace

IniResult iniAccess(const QString& path, const QString& section, const QString& key, IniOp op, const QString& value)
{
    QFile in(path);
    const bool exists = in.open(QIODevice::ReadOnly);
    text::IniFile file = text::IniFile::parse(exists ? in.readAll() : QByteArray());
    in.close();

    IniResult result;
    switch (op) {
    case IniOp::Read:
        result.text = file.value(section, key).value_or(QString());
        return result;
    case IniOp::SectionExists:
        result.flag = file.hasSection(section);
        return result;
    case IniOp::KeyExists:
        result.flag = file.value(section, key).has_value();
        return result;
    case IniOp::ReadSection:
        result.text = listText(file.sectionLines(section));
        return result;
    case IniOp::ReadSections:
        result.text = listText(file.sectionNames());
        return result;
    case IniOp::ReadKeys:
        result.text = listText(file.keyNames(section));
        return result;
    case IniOp::Write:
        file.setValue(section, key, value);
        break;
    case IniOp::DeleteKey:
    case IniOp::EraseSection:
        if (!exists)
            return result;
        if (op == IniOp::DeleteKey)
            file.removeKey(section, key);
        else
            file.removeSection(section);
        break;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file.serialize()) < 0 || !out.commit()) {
        result.ok = false;
        result.error =
            QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), out.errorString());
    }
    return result;
}

QString readIni(const QString& appFolder, const QString& baseName, const QString& section, const QString& key)
{
    return iniAccess(QDir(appFolder).filePath(baseName + QLatin1String(".INI")), section, key, IniOp::Read).text;
}

} // namespace tv::app
