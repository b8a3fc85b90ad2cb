// Conversion functions: the C* family on the Variant's rules, Hex/Oct, Int/Fix and Round.

#include "script/library/Args.h"
#include "script/library/Modules.h"

#include <cfloat>
#include <cmath>

namespace tv::script::lib {

namespace {

Variant cBool(Context&, Args a) { return Variant::fromBool(a[0].toBoolean()); }
Variant cByte(Context&, Args a) { return Variant::fromByte(a[0].toByte()); }
Variant cCur(Context&, Args a) { return Variant::fromCurrency(a[0].toCurrency()); }
Variant cDate(Context&, Args a) { return Variant::fromDate(a[0].toDate()); }
Variant cDbl(Context&, Args a) { return Variant::fromDouble(a[0].toDouble()); }
Variant cInt(Context&, Args a) { return Variant::fromInteger(a[0].toInteger()); }
Variant cLng(Context&, Args a) { return Variant::fromLong(a[0].toLong()); }
Variant cStr(Context&, Args a) { return Variant(a[0].toString()); }

Variant cSng(Context&, Args a)
{
    const double v = a[0].toDouble();
    if (std::fabs(v) > double(FLT_MAX))
        raise(6);
    return Variant::fromSingle(float(v));
}

// Byte, Integer and Boolean show as 16 bits, everything else as a 32-bit Long.
Variant radix(Args a, int bitsPerDigit)
{
    const Variant v = a[0].dereferenced();
    if (v.isNull())
        return Variant::null();
    const VarType t = v.type();
    uint32_t bits;
    if (t == VarType::Empty)
        bits = 0;
    else if (t == VarType::Byte || t == VarType::Integer || t == VarType::Boolean)
        bits = uint16_t(int16_t(v.rawInt()));
    else
        bits = uint32_t(v.toLong());
    const char* digits = "0123456789ABCDEF";
    const uint32_t mask = (1u << bitsPerDigit) - 1;
    QString out;
    do {
        out.prepend(QChar(digits[bits & mask]));
        bits >>= bitsPerDigit;
    } while (bits);
    return Variant(out);
}

Variant hex(Context&, Args a) { return radix(a, 4); }
Variant oct(Context&, Args a) { return radix(a, 3); }

// Int and Fix keep whole-number subtypes and turn strings into Doubles.
Variant wholePart(Args a, double (*round)(double))
{
    const Variant v = a[0].toNumeric();
    switch (v.type()) {
    case VarType::Null:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return v;
    case VarType::Empty:
        return Variant::fromInteger(0);
    case VarType::Boolean:
        return Variant::fromInteger(int16_t(v.rawInt()));
    case VarType::Single:
        return Variant::fromSingle(float(round(v.rawDouble())));
    case VarType::Currency:
        return Variant::fromCurrency(int64_t(round(double(v.rawInt()) / 10000.0)) * 10000);
    case VarType::Date:
        return Variant::fromDate(round(v.rawDouble()));
    default:
        return Variant::fromDouble(round(v.toDouble()));
    }
}

Variant intFn(Context&, Args a) { return wholePart(a, std::floor); }
Variant fixFn(Context&, Args a) { return wholePart(a, std::trunc); }

double roundTo(double v, int places)
{
    if (places == 0)
        return Variant::roundHalfEven(v);
    if (places > 15 || !std::isfinite(v))
        return v;
    const double scale = std::pow(10.0, places);
    const double scaled = v * scale;
    if (std::fabs(scaled) >= 9e15)
        return v;
    return Variant::roundHalfEven(scaled) / scale;
}

Variant round(Context&, Args a)
{
    const int32_t places = intArg(a, 1, 0);
    if (places < 0)
        raise(5);
    const Variant v = a[0].toNumeric();
    switch (v.type()) {
    case VarType::Null:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return v;
    case VarType::Empty:
        return Variant::fromInteger(0);
    case VarType::Boolean:
        return Variant::fromInteger(int16_t(v.rawInt()));
    case VarType::Single:
        return Variant::fromSingle(float(roundTo(v.rawDouble(), places)));
    case VarType::Currency:
        return Variant::fromCurrency(
            places >= 4 ? v.rawInt() : std::llround(roundTo(double(v.rawInt()) / 10000.0, places) * 10000.0));
    default:
        return Variant::fromDouble(roundTo(v.toDouble(), places));
    }
}

constexpr Builtin kFunctions[] = {
    {"CBool", 1, 1, cBool}, {"CByte", 1, 1, cByte}, {"CCur", 1, 1, cCur}, {"CDate", 1, 1, cDate},
    {"CDbl", 1, 1, cDbl},   {"CInt", 1, 1, cInt},   {"CLng", 1, 1, cLng}, {"CSng", 1, 1, cSng},
    {"CStr", 1, 1, cStr},   {"Hex", 1, 1, hex},     {"Oct", 1, 1, oct},   {"Int", 1, 1, intFn},
    {"Fix", 1, 1, fixFn},   {"Round", 1, 2, round},
};

} // namespace

void registerConversion(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
