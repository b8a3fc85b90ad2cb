#include "script/Variant.h"

#include "script/Builtins.h"

#include <cmath>
#include <cstring>
#include <new>

namespace tv::script {

namespace {

constexpr size_t kMaxArrayElements = size_t(1) << 26;

struct ErrorText {
    int number;
    const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {3, "Return without GoSub"},
    {5, "Invalid procedure call or argument"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {10, "This array is fixed or temporarily locked"},
    {11, "Division by zero"},
    {13, "Type mismatch"},
    {14, "Out of string space"},
    {17, "Can't perform requested operation"},
    {28, "Out of stack space"},
    {35, "Sub or Function not defined"},
    {48, "Error in loading DLL"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {61, "Disk full"},
    {62, "Input past end of file"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {70, "Permission denied"},
    {71, "Disk not ready"},
    {74, "Can't rename with different drive"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {91, "Object variable not set"},
    {92, "For loop not initialized"},
    {94, "Invalid use of Null"},
    {322, "Can't create necessary temporary file"},
    {424, "Object required"},
    {429, "ActiveX component can't create object"},
    {430, "Class doesn't support Automation"},
    {432, "File name or class name not found during Automation operation"},
    {438, "Object doesn't support this property or method"},
    {440, "Automation error"},
    {445, "Object doesn't support this action"},
    {446, "Object doesn't support named arguments"},
    {448, "Named argument not found"},
    {449, "Argument not optional"},
    {450, "Wrong number of arguments or invalid property assignment"},
    {451, "Object not a collection"},
    {458, "Variable uses an Automation type not supported in VBScript"},
    {500, "Variable is undefined"},
    {501, "Illegal assignment"},
    {502, "Object not safe for scripting"},
    {505, "Invalid or unqualified reference"},
    {506, "Class not defined"},
    {507, "An exception occurred"},
    {5008, "Illegal assignment"},
    {5017, "Syntax error in regular expression"},
    {5018, "Unexpected quantifier"},
    {5019, "Expected ']' in regular expression"},
    {5020, "Expected ')' in regular expression"},
    {5021, "Invalid range in character set"},
    {32811, "Element not found"},
};

double checkedRound(double v, double lo, double hi)
{
    const double r = Variant::roundHalfEven(v);
    if (!(r >= lo && r <= hi)) raise(6);
    return r;
}

} // namespace

ScriptError::ScriptError(int n) : number(n), description(standardText(n)) {}

ScriptError::ScriptError(int n, QString d, QString src) : number(n), description(std::move(d)), source(std::move(src))
{
}

QString ScriptError::standardText(int n)
{
    for (const ErrorText& e : kErrorTexts)
        if (e.number == n) return QString::fromLatin1(e.text);
    return QStringLiteral("Unknown runtime error");
}

void raise(int number)
{
    throw ScriptError(number);
}

void raise(int number, const QString& description)
{
    throw ScriptError(number, description);
}

bool ScriptObject::enumerate(Context&, std::vector<Variant>&)
{
    return false;
}

Variant& ArrayData::at(std::span<const int32_t> indices)
{
    if (indices.size() != counts.size()) raise(9);
    size_t offset = 0;
    size_t stride = 1;
    for (size_t d = 0; d < counts.size(); ++d) {
        const int32_t i = indices[d];
        if (i < 0 || i >= counts[d]) raise(9);
        offset += size_t(i) * stride;
        stride *= size_t(counts[d]);
    }
    return items[offset];
}

Variant& Variant::assignSlow(const Variant& o)
{
    if (this != &o) {
        Variant copy(o);
        *this = std::move(copy);
    }
    return *this;
}

Variant& Variant::operator=(Variant&& o) noexcept
{
    if (this == &o) return *this;
    Variant old(std::move(*this));
    m_type = o.m_type;
    relocateFrom(o);
    return *this; // old is released last, so a Class_Terminate it runs sees the new value
}

Variant::Variant(const QString& s) : m_type(VarType::String)
{
    new (&m_s) QString(s);
}

Variant::Variant(QString&& s) : m_type(VarType::String)
{
    new (&m_s) QString(std::move(s));
}

void Variant::copyFrom(const Variant& o)
{
    m_type = o.m_type;
    switch (m_type) {
    case VarType::String:
        new (&m_s) QString(o.m_s);
        break;
    case VarType::Object:
        m_o = o.m_o;
        if (m_o) m_o->addRef();
        break;
    case VarType::Array:
        if (o.m_a->locks > 0) {
            m_a = new ArrayData{o.m_a->counts, o.m_a->items};
        } else {
            m_a = o.m_a;
        }
        ++m_a->refs;
        break;
    default:
        m_i = o.m_i;
    }
}

void Variant::clear() noexcept
{
    const VarType t = m_type;
    m_type = VarType::Empty;
    if (t == VarType::String) {
        m_s.~QString();
    } else if (t == VarType::Object) {
        if (m_o) m_o->release();
    } else if (t == VarType::Array) {
        if (--m_a->refs == 0) delete m_a;
    }
    m_i = 0;
}

Variant Variant::null()
{
    Variant v;
    v.m_type = VarType::Null;
    return v;
}

Variant Variant::nothing()
{
    return fromObject(nullptr);
}

Variant Variant::fromBool(bool b)
{
    Variant v;
    v.m_type = VarType::Boolean;
    v.m_i = b ? -1 : 0;
    return v;
}

#define TV_INT_FACTORY(Name, CType, Tag)                                                                               \
    Variant Variant::Name(CType x)                                                                                     \
    {                                                                                                                  \
        Variant v;                                                                                                     \
        v.m_type = VarType::Tag;                                                                                       \
        v.m_i = x;                                                                                                     \
        return v;                                                                                                      \
    }
TV_INT_FACTORY(fromByte, uint8_t, Byte)
TV_INT_FACTORY(fromInteger, int16_t, Integer)
TV_INT_FACTORY(fromLong, int32_t, Long)
TV_INT_FACTORY(fromCurrency, int64_t, Currency)
TV_INT_FACTORY(fromError, int32_t, Error)
#undef TV_INT_FACTORY

Variant Variant::fromSingle(float x)
{
    Variant v;
    v.m_type = VarType::Single;
    v.m_d = x;
    return v;
}

Variant Variant::fromDouble(double x)
{
    Variant v;
    v.m_type = VarType::Double;
    v.m_d = x;
    return v;
}

Variant Variant::fromDate(double serial)
{
    Variant v;
    v.m_type = VarType::Date;
    v.m_d = serial;
    return v;
}

Variant Variant::fromObject(ScriptObject* o)
{
    Variant v;
    v.m_type = VarType::Object;
    v.m_o = o;
    if (o) o->addRef();
    return v;
}

Variant Variant::fromWhole(int64_t x)
{
    if (x >= -32768 && x <= 32767) return fromInteger(int16_t(x));
    if (x >= INT32_MIN && x <= INT32_MAX) return fromLong(int32_t(x));
    return fromDouble(double(x));
}

Variant Variant::newArray(std::span<const int32_t> upperBounds, bool fixed)
{
    if (upperBounds.size() > 60) raise(9);
    auto* a = new ArrayData;
    a->fixed = fixed;
    size_t total = upperBounds.empty() ? 0 : 1;
    for (int32_t ub : upperBounds) {
        if (ub < -1) {
            delete a;
            raise(9);
        }
        a->counts.push_back(ub + 1);
        total *= size_t(ub + 1);
        if (total > kMaxArrayElements) {
            delete a;
            raise(7);
        }
    }
    a->items.resize(total);
    Variant v;
    v.m_type = VarType::Array;
    v.m_a = a;
    a->refs = 1;
    return v;
}

Variant Variant::arrayOf(std::vector<Variant> items)
{
    auto* a = new ArrayData;
    a->counts.push_back(int32_t(items.size()));
    a->items = std::move(items);
    a->refs = 1;
    Variant v;
    v.m_type = VarType::Array;
    v.m_a = a;
    return v;
}

bool Variant::isNumericType() const
{
    switch (m_type) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
        return true;
    default:
        return false;
    }
}

ArrayData& Variant::mutableArray()
{
    if (m_type != VarType::Array) raise(13);
    if (m_a->refs > 1 && m_a->locks == 0) { // a locked array is shared only with its call's argument pack
        auto* copy = new ArrayData{m_a->counts, m_a->items};
        copy->fixed = m_a->fixed;
        copy->refs = 1;
        --m_a->refs;
        m_a = copy;
    }
    return *m_a;
}

Variant Variant::dereferenced() const
{
    if (m_type != VarType::Object) return *this;
    Variant v = *this;
    for (int depth = 0; v.m_type == VarType::Object; ++depth) {
        if (!v.m_o) raise(91);
        if (depth == 8) raise(438);
        v = v.m_o->invoke(Context::current(), 0, Invoke::Get, {});
    }
    return v;
}

double Variant::toDouble() const
{
    switch (m_type) {
    case VarType::Empty:
        return 0;
    case VarType::Null:
        raise(94);
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return double(m_i);
    case VarType::Currency:
        return double(m_i) / 10000.0;
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
        return m_d;
    case VarType::String: {
        double d;
        if (!parseNumber(m_s, d)) raise(13);
        return d;
    }
    case VarType::Object:
        return dereferenced().toDouble();
    default:
        raise(13);
    }
}

QString Variant::toString() const
{
    switch (m_type) {
    case VarType::Empty:
        return {};
    case VarType::Null:
        raise(94);
    case VarType::Boolean:
        return m_i ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return QString::number(m_i);
    case VarType::Single:
        return formatDouble(m_d, 7);
    case VarType::Double:
        return formatDouble(m_d, 15);
    case VarType::Currency:
        return formatCurrency(m_i);
    case VarType::Date:
        return formatDate(m_d);
    case VarType::String:
        return m_s;
    case VarType::Error:
        return QStringLiteral("Error ") + QString::number(m_i);
    case VarType::Object:
        return dereferenced().toString();
    default:
        raise(13);
    }
}

bool Variant::toBoolean() const
{
    switch (m_type) {
    case VarType::String:
        if (m_s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (m_s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
        return toDouble() != 0;
    case VarType::Object:
        return dereferenced().toBoolean();
    case VarType::Currency:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return m_i != 0;
    default:
        return toDouble() != 0;
    }
}

uint8_t Variant::toByte() const
{
    if (m_type == VarType::Byte) return uint8_t(m_i);
    return uint8_t(checkedRound(toDouble(), 0, 255));
}

int16_t Variant::toInteger() const
{
    if (m_type == VarType::Integer || m_type == VarType::Byte || m_type == VarType::Boolean) return int16_t(m_i);
    return int16_t(checkedRound(toDouble(), -32768, 32767));
}

int32_t Variant::toLong() const
{
    if (m_type == VarType::Long || m_type == VarType::Integer || m_type == VarType::Byte || m_type == VarType::Boolean)
        return int32_t(m_i);
    return int32_t(checkedRound(toDouble(), -2147483648.0, 2147483647.0));
}

int64_t Variant::toCurrency() const
{
    if (m_type == VarType::Currency) return m_i;
    return int64_t(checkedRound(toDouble() * 10000.0, -9.2233720368547758e18, 9.2233720368547748e18));
}

double Variant::toDate() const
{
    switch (m_type) {
    case VarType::Date:
        return m_d;
    case VarType::String: {
        double serial;
        if (parseDate(m_s, serial)) return serial;
        raise(13);
    }
    case VarType::Object:
        return dereferenced().toDate();
    default: {
        const double d = toDouble();
        if (!(d >= -657434.0 && d < 2958466.0)) raise(6);
        return d;
    }
    }
}

Variant Variant::toNumeric() const
{
    switch (m_type) {
    case VarType::Empty:
        return fromInteger(0);
    case VarType::Null:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
        return *this;
    case VarType::String:
        return fromDouble(toDouble());
    case VarType::Object:
        return dereferenced().toNumeric();
    default:
        raise(13);
    }
}

double Variant::roundHalfEven(double v)
{
    return std::nearbyint(v); // the default floating-point rounding mode is half to even
}

} // namespace tv::script
