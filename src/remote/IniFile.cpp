#include "remote/IniFile.h"

#include <QFile>

namespace tv::remote {

IniFile IniFile::load(const QString& path)
{
    IniFile ini;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ini;
    const QString text = QString::fromLatin1(file.readAll());
    QString section;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = close > 0 ? line.sliced(1, close - 1).trimmed().toString() : QString();
            ini.m_sections.append(section);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || ini.m_sections.isEmpty())
            continue;
        QStringView value = line.sliced(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
            value = value.sliced(1, value.size() - 2);
        ini.m_entries.append({section, line.first(eq).trimmed().toString(), value.toString()});
    }
    return ini;
}

QString IniFile::value(const QString& section, const QString& key) const
{
    for (const Entry& e : m_entries) {
        if (e.section.compare(section, Qt::CaseInsensitive) == 0 && e.key.compare(key, Qt::CaseInsensitive) == 0)
            return e.value;
    }
    return {};
}

QStringList IniFile::sections() const
{
    return m_sections;
}

} // namespace tv::remote
