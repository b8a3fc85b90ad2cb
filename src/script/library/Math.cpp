// Math functions on Doubles (Null in, Null out), and Rnd/Randomize with the classic 24-bit
// generator: same start value and sequence as the platform, so seeded scripts repeat exactly.

#include "script/library/Args.h"
#include "script/library/Modules.h"

#include <QTime>

#include <cmath>
#include <cstring>

namespace tv::script::lib {

namespace {

Variant unary(Args a, double (*f)(double))
{
    if (a[0].isNull())
        return Variant::null();
    const double r = f(a[0].toDouble());
    if (!std::isfinite(r))
        raise(6);
    return Variant::fromDouble(r);
}

Variant atn(Context&, Args a) { return unary(a, std::atan); }
Variant cos(Context&, Args a) { return unary(a, std::cos); }
Variant sin(Context&, Args a) { return unary(a, std::sin); }
Variant tan(Context&, Args a) { return unary(a, std::tan); }
Variant exp(Context&, Args a) { return unary(a, std::exp); }

Variant log(Context&, Args a)
{
    if (!a[0].isNull() && a[0].toDouble() <= 0)
        raise(5);
    return unary(a, std::log);
}

Variant sqr(Context&, Args a)
{
    if (!a[0].isNull() && a[0].toDouble() < 0)
        raise(5);
    return unary(a, std::sqrt);
}

Variant abs(Context&, Args a)
{
    const Variant v = a[0].toNumeric();
    switch (v.type()) {
    case VarType::Null:
    case VarType::Byte:
        return v;
    case VarType::Empty:
        return Variant::fromInteger(0);
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
        return Variant::fromWhole(std::llabs(v.rawInt()));
    case VarType::Currency:
        return Variant::fromCurrency(std::llabs(v.rawInt()));
    case VarType::Single:
        return Variant::fromSingle(std::fabs(float(v.rawDouble())));
    case VarType::Date:
        return Variant::fromDate(std::fabs(v.rawDouble()));
    default:
        return Variant::fromDouble(std::fabs(v.toDouble()));
    }
}

Variant sgn(Context&, Args a)
{
    if (a[0].isNull())
        return Variant::null();
    const double v = a[0].toDouble();
    return Variant::fromInteger(int16_t(v < 0 ? -1 : v > 0 ? 1 : 0));
}

struct RandomState {
    uint32_t seed = 0x50000;
    float last = 0;
};

float nextRandom(RandomState& r)
{
    r.seed = (r.seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    r.last = float(r.seed) / 16777216.0f;
    return r.last;
}

// Rnd(n): n < 0 reseeds from n's single-precision bits, 0 repeats the last number, else the next.
Variant rnd(Context& cx, Args a)
{
    RandomState& r = cx.state<RandomState>();
    if (!missing(a, 0)) {
        const float n = float(a[0].toDouble());
        if (n == 0)
            return Variant::fromSingle(r.last);
        if (n < 0) {
            uint32_t bits;
            std::memcpy(&bits, &n, sizeof bits);
            r.seed = (bits + (bits >> 24)) & 0xFFFFFFu;
        }
    }
    return Variant::fromSingle(nextRandom(r));
}

// Randomize [n]: mixes the high word of n's double bits (the timer when omitted) into the seed.
Variant randomize(Context& cx, Args a)
{
    RandomState& r = cx.state<RandomState>();
    const double n = missing(a, 0) ? QTime::currentTime().msecsSinceStartOfDay() / 1000.0 : a[0].toDouble();
    uint64_t bits;
    std::memcpy(&bits, &n, sizeof bits);
    const uint32_t high = uint32_t(bits >> 32);
    r.seed = (((high & 0xFFFFu) ^ (high >> 16)) << 8 | (r.seed & 0xFFu)) & 0xFFFFFFu;
    return Variant();
}

constexpr Builtin kFunctions[] = {
    {"Abs", 1, 1, abs}, {"Atn", 1, 1, atn}, {"Cos", 1, 1, cos}, {"Exp", 1, 1, exp},
    {"Log", 1, 1, log}, {"Sgn", 1, 1, sgn}, {"Sin", 1, 1, sin}, {"Sqr", 1, 1, sqr},
    {"Tan", 1, 1, tan}, {"Rnd", 0, 1, rnd}, {"Randomize", 0, 1, randomize},
};

} // namespace

void registerMath(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
