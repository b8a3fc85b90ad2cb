#include "script/Operators.h"

#include <cmath>

namespace tv::script {

namespace {

enum Rank { RNone = 0, RByte, RInteger, RLong, RSingle, RDouble, RCurrency, RDate };

Rank rankOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Byte:
        return RByte;
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
        return RInteger;
    case VarType::Long:
        return RLong;
    case VarType::Single:
        return RSingle;
    case VarType::Double:
        return RDouble;
    case VarType::Currency:
        return RCurrency;
    case VarType::Date:
        return RDate;
    default:
        raise(13);
    }
}

// The integer result of the smallest type at least `atLeast` that holds r; Double beyond Long.
Variant wholeOf(int64_t r, Rank atLeast)
{
    if (atLeast == RByte && r >= 0 && r <= 255) return Variant::fromByte(uint8_t(r));
    if (atLeast <= RInteger && r >= -32768 && r <= 32767) return Variant::fromInteger(int16_t(r));
    if (r >= INT32_MIN && r <= INT32_MAX) return Variant::fromLong(int32_t(r));
    return Variant::fromDouble(double(r));
}

Variant checkedDouble(double d)
{
    if (!std::isfinite(d)) raise(6);
    return Variant::fromDouble(d);
}

double dateChecked(double d)
{
    if (!(d >= -657434.0 && d < 2958466.0)) raise(6);
    return d;
}

int64_t currencyOf(const Variant& v)
{
    return v.toCurrency();
}

Variant arithmetic(BinOp op, const Variant& a0, const Variant& b0)
{
    if (a0.isNull() || b0.isNull()) return Variant::null();
    if (op == BinOp::Add) {
        if (a0.isString() && (b0.isString() || b0.isEmpty()))
            return Variant(a0.rawString() + (b0.isString() ? b0.rawString() : QString()));
        if (b0.isString() && a0.isEmpty()) return b0;
    }
    const Variant a = a0.toNumeric();
    const Variant b = b0.toNumeric();
    const Rank ra = rankOf(a), rb = rankOf(b);
    const Rank top = std::max(ra, rb);
    if (top <= RLong) {
        const int64_t x = a.rawInt(), y = b.rawInt();
        const int64_t r = op == BinOp::Add ? x + y : op == BinOp::Sub ? x - y : x * y;
        return wholeOf(r, top);
    }
    if (ra == RDate || rb == RDate) {
        const double x = a.toDouble(), y = b.toDouble();
        if (op == BinOp::Sub && ra == RDate && rb == RDate) return checkedDouble(x - y);
        if (op == BinOp::Add) return Variant::fromDate(dateChecked(x + y));
        if (op == BinOp::Sub) return Variant::fromDate(dateChecked(x - y));
        return checkedDouble(x * y);
    }
    if (top == RCurrency && ra != RSingle && ra != RDouble && rb != RSingle && rb != RDouble) {
        const int64_t x = currencyOf(a), y = currencyOf(b);
        int64_t r;
        if (op == BinOp::Mul) {
            const long double p = static_cast<long double>(x) * static_cast<long double>(y) / 10000.0L;
            if (!(p > -9.2233720368547758e18L && p < 9.2233720368547758e18L)) raise(6);
            r = int64_t(std::nearbyint(static_cast<double>(p)));
        } else if (__builtin_add_overflow(x, op == BinOp::Sub ? -y : y, &r)) {
            raise(6);
        }
        return Variant::fromCurrency(r);
    }
    const double x = a.toDouble(), y = b.toDouble();
    const double r = op == BinOp::Add ? x + y : op == BinOp::Sub ? x - y : x * y;
    if ((ra == RSingle || rb == RSingle) && ra != RLong && rb != RLong && ra != RDouble && rb != RDouble &&
        ra != RCurrency && rb != RCurrency) {
        if (!std::isfinite(float(r))) raise(6);
        return Variant::fromSingle(float(r));
    }
    return checkedDouble(r);
}

int32_t integerOperand(const Variant& v)
{
    return v.toLong();
}

bool smallIntegerType(const Variant& v)
{
    const VarType t = v.type();
    return t == VarType::Byte || t == VarType::Integer || t == VarType::Boolean || t == VarType::Empty;
}

Rank integerResultRank(const Variant& a, const Variant& b)
{
    if (a.type() == VarType::Byte && b.type() == VarType::Byte) return RByte;
    return smallIntegerType(a) && smallIntegerType(b) ? RInteger : RLong;
}

Variant integerDivision(BinOp op, const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull()) return Variant::null();
    const int64_t x = integerOperand(a), y = integerOperand(b);
    if (y == 0) raise(11);
    const int64_t r = op == BinOp::IntDiv ? x / y : x % y;
    return wholeOf(r, integerResultRank(a, b));
}

// Logical operands: Booleans stay Booleans; "True"/"False" strings read as Booleans.
Variant logicalOperand(const Variant& v)
{
    if (v.isString()) {
        if (v.rawString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return Variant::fromBool(true);
        if (v.rawString().compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return Variant::fromBool(false);
    }
    return v;
}

Variant logical(BinOp op, const Variant& a0, const Variant& b0)
{
    const Variant a = logicalOperand(a0), b = logicalOperand(b0);
    if (a.isNull() || b.isNull()) {
        const Variant& other = a.isNull() ? b : a;
        const bool otherNull = other.isNull();
        switch (op) {
        case BinOp::And:
            if (!otherNull && other.toLong() == 0)
                return other.type() == VarType::Boolean ? Variant::fromBool(false) : wholeOf(0, RInteger);
            return Variant::null();
        case BinOp::Or:
            if (!otherNull && other.type() == VarType::Boolean && other.rawInt()) return Variant::fromBool(true);
            if (!otherNull && other.type() != VarType::Boolean && other.toLong() == -1) return wholeOf(-1, RInteger);
            return Variant::null();
        case BinOp::Imp:
            if (a.isNull() && !b.isNull() && b.toLong() == -1)
                return b.type() == VarType::Boolean ? Variant::fromBool(true) : wholeOf(-1, RInteger);
            if (b.isNull() && !a.isNull() && a.toLong() == 0)
                return a.type() == VarType::Boolean ? Variant::fromBool(true) : wholeOf(-1, RInteger);
            return Variant::null();
        default:
            return Variant::null();
        }
    }
    const int32_t x = a.toLong(), y = b.toLong();
    int32_t r = 0;
    switch (op) {
    case BinOp::And:
        r = x & y;
        break;
    case BinOp::Or:
        r = x | y;
        break;
    case BinOp::Xor:
        r = x ^ y;
        break;
    case BinOp::Eqv:
        r = ~(x ^ y);
        break;
    default:
        r = ~x | y;
        break;
    }
    if (a.type() == VarType::Boolean && b.type() == VarType::Boolean) return Variant::fromBool(r != 0);
    const Rank rank = integerResultRank(a, b);
    if (rank == RByte) return Variant::fromByte(uint8_t(r));
    if (rank == RInteger) return Variant::fromInteger(int16_t(r));
    return Variant::fromLong(r);
}

int sign(double d)
{
    return d < 0 ? -1 : d > 0 ? 1 : 0;
}

} // namespace

int compareValues(const Variant& a, const Variant& b, bool aLiteral, bool bLiteral)
{
    if (a.isNull() || b.isNull()) return 2;
    const bool as = a.isString(), bs = b.isString();
    if (as && bs) {
        const int c = a.rawString().compare(b.rawString(), Qt::CaseSensitive);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    if (!as && !bs) {
        if (!a.isNumericType() || !b.isNumericType()) raise(13);
        if (a.type() != VarType::Single && a.type() != VarType::Double && a.type() != VarType::Date &&
            a.type() != VarType::Currency && b.type() != VarType::Single && b.type() != VarType::Double &&
            b.type() != VarType::Date && b.type() != VarType::Currency) {
            const int64_t x = a.rawInt(), y = b.rawInt();
            return x < y ? -1 : x > y ? 1 : 0;
        }
        return sign(a.toDouble() - b.toDouble());
    }
    // One string, one number.
    const Variant& s = as ? a : b;
    const Variant& n = as ? b : a;
    const bool sLiteral = as ? aLiteral : bLiteral;
    const bool nLiteral = as ? bLiteral : aLiteral;
    const int flip = as ? 1 : -1; // results below are "string compared with number"
    if (!n.isNumericType()) raise(13);
    if (n.isEmpty()) return flip * (s.rawString().isEmpty() ? 0 : 1);
    if (sLiteral && !nLiteral) {
        double d;
        if (Variant::parseNumber(s.rawString(), d)) return flip * sign(d - n.toDouble());
        return flip;
    }
    if (nLiteral && !sLiteral) {
        const int c = s.rawString().compare(n.toString(), Qt::CaseSensitive);
        return flip * (c < 0 ? -1 : c > 0 ? 1 : 0);
    }
    return flip; // a number is less than any string
}

Variant applyBinary(BinOp op, const Variant& a, const Variant& b, bool aLiteral, bool bLiteral)
{
    switch (op) {
    case BinOp::Add:
    case BinOp::Sub:
    case BinOp::Mul:
        return arithmetic(op, a, b);
    case BinOp::Div: {
        if (a.isNull() || b.isNull()) return Variant::null();
        const double x = a.toDouble(), y = b.toDouble();
        if (y == 0) raise(x == 0 ? 6 : 11);
        return checkedDouble(x / y);
    }
    case BinOp::IntDiv:
    case BinOp::Mod:
        return integerDivision(op, a, b);
    case BinOp::Pow: {
        if (a.isNull() || b.isNull()) return Variant::null();
        const double x = a.toDouble(), y = b.toDouble();
        if (x < 0 && y != std::trunc(y)) raise(5);
        if (x == 0 && y < 0) raise(5);
        return checkedDouble(std::pow(x, y));
    }
    case BinOp::Concat:
        if (a.isNull() && b.isNull()) return Variant::null();
        return Variant((a.isNull() ? QString() : a.toString()) + (b.isNull() ? QString() : b.toString()));
    case BinOp::Is:
        if (!a.isObject() || !b.isObject()) raise(424);
        return Variant::fromBool(a.rawObject() == b.rawObject());
    case BinOp::And:
    case BinOp::Or:
    case BinOp::Xor:
    case BinOp::Eqv:
    case BinOp::Imp:
        return logical(op, a, b);
    default:
        break;
    }
    const int c = compareValues(a, b, aLiteral, bLiteral);
    if (c == 2) return Variant::null();
    bool r = false;
    switch (op) {
    case BinOp::Eq:
        r = c == 0;
        break;
    case BinOp::Ne:
        r = c != 0;
        break;
    case BinOp::Lt:
        r = c < 0;
        break;
    case BinOp::Gt:
        r = c > 0;
        break;
    case BinOp::Le:
        r = c <= 0;
        break;
    default:
        r = c >= 0;
        break;
    }
    return Variant::fromBool(r);
}

Variant negate(const Variant& v0)
{
    if (v0.isNull()) return Variant::null();
    const Variant v = v0.toNumeric();
    switch (v.type()) {
    case VarType::Byte:
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
        return wholeOf(-v.rawInt(), v.type() == VarType::Long ? RLong : RInteger);
    case VarType::Single:
        return Variant::fromSingle(-float(v.rawDouble()));
    case VarType::Currency:
        if (v.rawInt() == INT64_MIN) raise(6);
        return Variant::fromCurrency(-v.rawInt());
    case VarType::Date:
        return Variant::fromDate(dateChecked(-v.rawDouble()));
    default:
        return Variant::fromDouble(-v.toDouble());
    }
}

Variant logicalNot(const Variant& v0)
{
    const Variant v = logicalOperand(v0);
    switch (v.type()) {
    case VarType::Null:
        return Variant::null();
    case VarType::Boolean:
        return Variant::fromBool(!v.rawInt());
    case VarType::Byte:
        return Variant::fromByte(uint8_t(~v.rawInt()));
    case VarType::Empty:
    case VarType::Integer:
        return Variant::fromInteger(int16_t(~v.rawInt()));
    default:
        return Variant::fromLong(~v.toLong());
    }
}

} // namespace tv::script
