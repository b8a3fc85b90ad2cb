// The answer table: column definitions and rows of values as one remote query returns them,
// with its wire codec, the ADO persisted-recordset XML. One codec serves the client, the
// laboratory service and the table viewer, so what one side writes the other reads back exactly.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

namespace tv::remote {

/// Column types of the rowset format; each maps to one QVariant type (see `Rowset`).
enum class FieldType {
    Integer,  ///< int (32-bit), also smallint
    BigInt,   ///< qlonglong
    Text,     ///< QString, `maxLength` characters
    LongText, ///< QString, text blob
    Float,    ///< double
    Numeric,  ///< double, with `precision` and `scale`
    Date,     ///< QDate
    DateTime, ///< QDateTime: the wall-clock time as stored, spec Qt::UTC so no zone ever shifts it
    Boolean,  ///< bool
    Binary,   ///< QByteArray, binary blob
};

struct Field {
    QString name;
    FieldType type = FieldType::Text;
    int maxLength = 0; ///< characters for Text; ignored by other types
    int precision = 0; ///< Numeric only
    int scale = 0;     ///< Numeric only
    bool nullable = true;
};

/// A value that is absent (SQL NULL) is an invalid QVariant.
using Row = QList<QVariant>;

struct Rowset {
    QList<Field> fields;
    QList<Row> rows; ///< every row has exactly fields.size() values

    /// Index of the column named `name` (compared without regard to case), or -1.
    int fieldIndex(const QString& name) const;
    /// The value of column `name` in row `row`; an invalid QVariant for a null or an unknown column.
    QVariant value(qsizetype row, const QString& name) const;
    void clear();
};

enum class RowsetStatus { Ok, Malformed };

struct RowsetReadResult {
    RowsetStatus status = RowsetStatus::Malformed;
    Rowset rowset;   ///< empty unless Ok: a table is either wholly read or not at all
    QString message; ///< what is wrong and where, when Malformed
};

/// Writes `rowset` as an ADO persisted-recordset XML document (UTF-8).
QByteArray writeRowsetXml(const Rowset& rowset);

/// Reads an ADO persisted-recordset XML document; never crashes on any input.
RowsetReadResult readRowsetXml(const QByteArray& xml);

} // namespace tv::remote
