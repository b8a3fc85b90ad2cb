// A read-only INI file with the usual Windows semantics: section and key names match without
// regard to case, the first match wins, blanks around names and values and one pair of
// surrounding quotes are dropped, and a missing file, section or key reads as empty.
#pragma once

#include <QList>
#include <QString>

namespace tv::remote {

class IniFile {
public:
    /// Reads the whole file once; a missing or unreadable file gives an empty one.
    static IniFile load(const QString& path);

    QString value(const QString& section, const QString& key) const;
    /// Section names in file order.
    QStringList sections() const;

private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    QList<Entry> m_entries;
    QStringList m_sections;
};

} // namespace tv::remote
