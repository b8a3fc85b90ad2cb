// An INI file with Windows semantics: section and key names match without regard to case, the
// first match wins, ";" lines are comments, one pair of quotes around a value is dropped on
// read. Lines are kept as they are, so writing one key leaves the rest of the file unchanged.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tv::text {

class IniFile {
public:
    /// Any bytes are accepted (Windows-1252 text); unreadable lines are simply no keys.
    static IniFile parse(const QByteArray& bytes);
    /// The file at `path`; a missing or unreadable one reads as empty.
    static IniFile load(const QString& path);
    QByteArray serialize() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;
    QStringList sectionNames() const;
    QStringList keyNames(const QString& section) const;
    /// The section's name=value lines, as written.
    QStringList sectionLines(const QString& section) const;

    void setValue(const QString& section, const QString& key, const QString& value);
    void removeKey(const QString& section, const QString& key);
    void removeSection(const QString& section);

private:
    struct Range {
        qsizetype header = -1;  ///< index of the "[section]" line; -1 when absent
        qsizetype end = 0;      ///< one past the section's last line
    };
    Range findSection(const QString& section) const;
    qsizetype findKey(const Range& range, const QString& key) const;
    QString newLine(const QString& text) const;

    QStringList m_lines;  ///< without "\n"; a CR of a CR LF file stays at the end of its line
    bool m_crlf = true;
};

} // namespace tv::text
