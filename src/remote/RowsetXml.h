// Names and value rules shared by the rowset writer and reader (internal to the remote layer).
// Characters XML 1.0 cannot carry (C0 controls other than TAB, CR, LF) travel as private-use
// characters U+F700 + code, so every byte of a report text survives the trip (texts come from a
// single-byte character set, so that private range never holds real data).
#pragma once

#include "remote/Rowset.h"

#include <QString>

namespace tv::remote::rowsetxml {

inline const QString kNsSchema = QStringLiteral("uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882");
inline const QString kNsDataType = QStringLiteral("uuid:C2F41010-65B3-11d1-A29F-00AA00C14882");
inline const QString kNsRowset = QStringLiteral("urn:schemas-microsoft-com:rowset");
inline const QString kNsRow = QStringLiteral("#RowsetSchema");

constexpr char16_t kControlBase = 0xF700;

/// True for a C0 control that XML 1.0 forbids even as a character reference.
inline bool isForbiddenControl(char16_t c)
{
    return c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D;
}

/// dt:type written for each field type.
QString dataTypeName(FieldType type);

/// The field type of a dt:type name; false for a name the format does not know.
bool typeFromName(QStringView name, FieldType* type);

/// Text with the private-use stand-ins turned back into the controls they carry.
QString restoreControls(QStringView text);

/// One attribute text as a value of `type`; an invalid QVariant when the text does not fit.
QVariant valueFromText(FieldType type, QStringView text);

} // namespace tv::remote::rowsetxml
