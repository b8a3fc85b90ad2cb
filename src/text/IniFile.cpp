#include "text/IniFile.h"

#include "text/Cp1252.h"

#include <QFile>

namespace tv::text {

namespace {

QStringView trimmedLine(const QString& line)
{
    return QStringView(line).trimmed();
}

/// The section name of a "[name]" line.
std::optional<QStringView> sectionOf(const QString& line)
{
    const QStringView text = trimmedLine(line);
    if (!text.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = text.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return text.sliced(1, close - 1).trimmed();
}

/// The key of a "key=value" line; nothing for comments and lines without "=".
std::optional<QStringView> keyOf(const QString& line)
{
    const QStringView text = trimmedLine(line);
    if (text.startsWith(u';') || text.startsWith(u'['))
        return std::nullopt;
    const qsizetype eq = text.indexOf(u'=');
    if (eq <= 0)
        return std::nullopt;
    return text.first(eq).trimmed();
}

bool sameName(QStringView a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile IniFile::parse(const QByteArray& bytes)
{
    IniFile file;
    if (bytes.isEmpty())
        return file;
    file.m_crlf = bytes.contains("\r\n") || !bytes.contains('\n');
    file.m_lines = fromCp1252(bytes).split(QLatin1Char('\n'));
    return file;
}

IniFile IniFile::load(const QString& path)
{
    QFile file(path);
    return parse(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

QByteArray IniFile::serialize() const
{
    return toCp1252(m_lines.join(QLatin1Char('\n')));
}

IniFile::Range IniFile::findSection(const QString& section) const
{
    Range range;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionOf(m_lines[i]);
        if (!name)
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (sameName(*name, section))
            range.header = i;
    }
    range.end = m_lines.size();
    return range;
}

qsizetype IniFile::findKey(const Range& range, const QString& key) const
{
    if (range.header < 0)
        return -1;
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const auto name = keyOf(m_lines[i]);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

QString IniFile::newLine(const QString& text) const
{
    return m_crlf ? text + QLatin1Char('\r') : text;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const qsizetype at = findKey(findSection(section), key);
    if (at < 0)
        return std::nullopt;
    const QStringView line = trimmedLine(m_lines[at]);
    QStringView value = line.sliced(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

bool IniFile::hasSection(const QString& section) const
{
    return findSection(section).header >= 0;
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const QString& line : m_lines)
        if (const auto name = sectionOf(line))
            names.append(name->toString());
    return names;
}

QStringList IniFile::keyNames(const QString& section) const
{
    QStringList names;
    const Range range = findSection(section);
    for (qsizetype i = range.header + 1; range.header >= 0 && i < range.end; ++i)
        if (const auto name = keyOf(m_lines[i]))
            names.append(name->toString());
    return names;
}

QStringList IniFile::sectionLines(const QString& section) const
{
    QStringList lines;
    const Range range = findSection(section);
    for (qsizetype i = range.header + 1; range.header >= 0 && i < range.end; ++i)
        if (keyOf(m_lines[i]))
            lines.append(trimmedLine(m_lines[i]).toString());
    return lines;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString line = key + QLatin1Char('=') + value;
    if (!m_lines.isEmpty() && !m_lines.last().isEmpty()) {  // a last line without its line break
        m_lines.last() = newLine(m_lines.last());
        m_lines.append(QString());
    }
    const Range range = findSection(section);
    if (range.header < 0) {
        if (m_lines.isEmpty())
            m_lines.append(QString());
        m_lines.insert(m_lines.size() - 1, newLine(QLatin1Char('[') + section + QLatin1Char(']')));
        m_lines.insert(m_lines.size() - 1, newLine(line));
        return;
    }
    if (const qsizetype at = findKey(range, key); at >= 0) {
        m_lines[at] = newLine(line);
        return;
    }
    qsizetype insertAt = range.end;
    while (insertAt > range.header + 1 && trimmedLine(m_lines[insertAt - 1]).isEmpty())
        --insertAt;
    m_lines.insert(insertAt, newLine(line));
}

void IniFile::removeKey(const QString& section, const QString& key)
{
    if (const qsizetype at = findKey(findSection(section), key); at >= 0)
        m_lines.removeAt(at);
}

void IniFile::removeSection(const QString& section)
{
    const Range range = findSection(section);
    if (range.header >= 0)
        m_lines.remove(range.header, range.end - range.header);
}

} // namespace tv::text
