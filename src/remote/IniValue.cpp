#include "remote/IniValue.h"

#include <QFile>

namespace tv::remote {

QString readIniValue(const QString& path, const QString& section, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(file.readAll());
    bool inSection = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            inSection = close > 0 && line.sliced(1, close - 1).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq <= 0 || line.first(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        QStringView value = line.sliced(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
            value = value.sliced(1, value.size() - 2);
        return value.toString();
    }
    return {};
}

} // namespace tv::remote
