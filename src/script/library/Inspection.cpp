// Inspection functions: the Is* tests, TypeName and VarType. Arguments arrive with objects not
// dereferenced, so an object is reported as an object rather than as its default value.

#include "script/library/Args.h"
#include "script/library/Modules.h"

namespace tv::script::lib {

namespace {

Variant isArray(Context&, Args a) { return Variant::fromBool(a[0].isArray()); }
Variant isEmpty(Context&, Args a) { return Variant::fromBool(a[0].isEmpty()); }
Variant isNull(Context&, Args a) { return Variant::fromBool(a[0].isNull()); }
Variant isObject(Context&, Args a) { return Variant::fromBool(a[0].isObject()); }

Variant isDate(Context&, Args a)
{
    const Variant& v = a[0];
    if (v.type() == VarType::Date)
        return Variant::fromBool(true);
    double serial;
    return Variant::fromBool(v.isString() && Variant::parseDate(v.rawString(), serial));
}

Variant isNumeric(Context&, Args a)
{
    Variant v = a[0];
    if (v.isObject()) {
        try {
            v = v.dereferenced();
        } catch (const ScriptError&) {
            return Variant::fromBool(false);
        }
    }
    double number;
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
        return Variant::fromBool(true);
    case VarType::String:
        return Variant::fromBool(Variant::parseNumber(v.rawString(), number));
    default:
        return Variant::fromBool(false);
    }
}

QString typeNameOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty: return QStringLiteral("Empty");
    case VarType::Null: return QStringLiteral("Null");
    case VarType::Integer: return QStringLiteral("Integer");
    case VarType::Long: return QStringLiteral("Long");
    case VarType::Single: return QStringLiteral("Single");
    case VarType::Double: return QStringLiteral("Double");
    case VarType::Currency: return QStringLiteral("Currency");
    case VarType::Date: return QStringLiteral("Date");
    case VarType::String: return QStringLiteral("String");
    case VarType::Object: return v.isNothing() ? QStringLiteral("Nothing") : v.rawObject()->typeName();
    case VarType::Error: return QStringLiteral("Error");
    case VarType::Boolean: return QStringLiteral("Boolean");
    case VarType::Byte: return QStringLiteral("Byte");
    case VarType::Array: return QStringLiteral("Variant()");
    default: return QStringLiteral("Unknown");
    }
}

Variant typeName(Context&, Args a) { return Variant(typeNameOf(a[0])); }

Variant varType(Context&, Args a)
{
    const VarType t = a[0].type();
    const int code = t == VarType::Array ? int(VarType::Array) + int(VarType::Variant) : int(t);
    return Variant::fromInteger(int16_t(code));
}

constexpr Builtin kFunctions[] = {
    {"IsArray", 1, 1, isArray},     {"IsDate", 1, 1, isDate},       {"IsEmpty", 1, 1, isEmpty},
    {"IsNull", 1, 1, isNull},       {"IsNumeric", 1, 1, isNumeric}, {"IsObject", 1, 1, isObject},
    {"TypeName", 1, 1, typeName},   {"VarType", 1, 1, varType},
};

} // namespace

void registerInspection(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
