// The value of every VBScript expression: a tagged union over the language's subtypes. Strings are
// implicitly shared QStrings, arrays are shared copy-on-write and objects are reference-counted, so
// copying a Variant never copies data; all conversions follow the language's (US-locale) rules.
#pragma once

#include <QString>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace tv::script {

/// Subtype numbers as VarType reports them.
enum class VarType : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Variant = 12,
    Byte = 17,
    Array = 0x2000,
};

/// A run-time error of the language: thrown by conversions, operators, built-ins and objects.
class ScriptError {
public:
    explicit ScriptError(int number);
    ScriptError(int number, QString description, QString source = {});

    /// The standard description of a run-time error number ("Type mismatch" for 13).
    static QString standardText(int number);

    int number;
    QString description;
    QString source;
    bool fatal = false; ///< time-out and resource limits: On Error Resume Next does not catch these
};

/// Throws ScriptError with the number's standard text (or the given description).
[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const QString& description);

class Variant;
class Context;

/// What a member access asks of an object.
enum class Invoke : uint8_t { Get, Let, Set };

/// Base of everything a Variant of subtype Object can refer to: script class instances, library
/// objects (Dictionary, FileSystemObject, RegExp...) and host objects.
class ScriptObject {
public:
    ScriptObject() = default;
    ScriptObject(const ScriptObject&) = delete;
    ScriptObject& operator=(const ScriptObject&) = delete;
    virtual ~ScriptObject() = default;

    /// The name TypeName reports.
    virtual QString typeName() const = 0;
    /// The dispatch id of a member (names are case-insensitive), or -1. Id 0 is the default member.
    virtual int findMember(QStringView name) const = 0;
    /// Calls a method or reads (Get) or writes (Let/Set: the value is the last argument) a property.
    virtual Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) = 0;
    /// For Each: fills items with the collection's elements; false when the object is no collection.
    virtual bool enumerate(Context& cx, std::vector<Variant>& items);
    /// Identity of the object's member table (the same for all objects of one class), or nullptr;
    /// call sites cache findMember() results under it.
    virtual const void* classKey() const { return nullptr; }
    /// Called when the last reference goes; script classes run Class_Terminate here.
    virtual void lastReleased() { delete this; }

    void addRef() const noexcept { ++m_refs; }
    void release() const noexcept
    {
        if (--m_refs == 0) const_cast<ScriptObject*>(this)->lastReleased();
    }
    int refCount() const noexcept { return m_refs; }

private:
    mutable int m_refs = 0;
};

/// Intrusive owning pointer to a ScriptObject (or a subclass).
template <class T> class Ref {
public:
    Ref() = default;
    Ref(T* p) : m_p(p) // NOLINT: implicit on purpose
    {
        if (m_p) m_p->addRef();
    }
    Ref(const Ref& o) : Ref(o.m_p) {}
    Ref(Ref&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
    ~Ref()
    {
        if (m_p) m_p->release();
    }
    Ref& operator=(Ref o) noexcept
    {
        std::swap(m_p, o.m_p);
        return *this;
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

/// Storage of an array: every rank, lower bounds 0, elements column-major (first index fastest,
/// so ReDim Preserve of the last dimension only appends).
struct ArrayData {
    std::vector<int32_t> counts; ///< elements per dimension
    std::vector<Variant> items;
    int refs = 0;
    int locks = 0;      ///< > 0 while an element is passed by reference or For Each runs
    bool fixed = false; ///< declared with bounds (Dim a(2)): ReDim and Erase-to-Empty refused

    int rank() const { return int(counts.size()); }
    int32_t upperBound(int dim) const { return counts[size_t(dim)] - 1; }
    /// Element at the given indices; error 9 when out of range or the rank differs.
    Variant& at(std::span<const int32_t> indices);
};

class Variant {
public:
    Variant() noexcept : m_type(VarType::Empty) { m_i = 0; }
    Variant(const Variant& o)
    {
        if (o.ownsData()) {
            copyFrom(o);
        } else {
            m_type = o.m_type;
            m_i = o.m_i;
        }
    }
    Variant(Variant&& o) noexcept : m_type(o.m_type) { relocateFrom(o); }
    Variant& operator=(const Variant& o)
    {
        if (!ownsData() && !o.ownsData()) {
            m_type = o.m_type;
            m_i = o.m_i;
            return *this;
        }
        return assignSlow(o);
    }
    Variant& operator=(Variant&& o) noexcept;
    ~Variant()
    {
        if (ownsData()) clear();
    }

    /// A string (implicit: strings are the common case in library code).
    Variant(const QString& s); // NOLINT
    Variant(QString&& s);      // NOLINT

    static Variant null();
    static Variant nothing();
    static Variant fromBool(bool b);
    static Variant fromByte(uint8_t v);
    static Variant fromInteger(int16_t v);
    static Variant fromLong(int32_t v);
    static Variant fromSingle(float v);
    static Variant fromDouble(double v);
    static Variant fromCurrency(int64_t scaledBy10000);
    static Variant fromDate(double serial);
    static Variant fromError(int32_t code);
    static Variant fromObject(ScriptObject* o); ///< nullptr gives Nothing
    /// The smallest of Integer, Long, Double that holds v (the rule for literals and results).
    static Variant fromWhole(int64_t v);
    /// A new array with the given upper bounds (one per dimension), all elements Empty; no bounds
    /// gives the unallocated array of `Dim a()`.
    static Variant newArray(std::span<const int32_t> upperBounds, bool fixed = false);
    /// A one-dimensional array of the given values.
    static Variant arrayOf(std::vector<Variant> items);

    VarType type() const { return m_type; }
    bool isEmpty() const { return m_type == VarType::Empty; }
    bool isNull() const { return m_type == VarType::Null; }
    bool isString() const { return m_type == VarType::String; }
    bool isObject() const { return m_type == VarType::Object; }
    bool isNothing() const { return m_type == VarType::Object && !m_o; }
    bool isArray() const { return m_type == VarType::Array; }
    /// Byte, Integer, Long, Single, Double, Currency, Date, Boolean or Empty.
    bool isNumericType() const;

    // Raw access for the subtype in hand (no conversion).
    int64_t rawInt() const { return m_i; }   ///< Boolean (-1/0), Byte, Integer, Long, Error, Currency*10000
    double rawDouble() const { return m_d; } ///< Single, Double, Date
    const QString& rawString() const { return m_s; }
    ScriptObject* rawObject() const { return m_o; }
    const ArrayData* rawArray() const { return m_a; }
    /// The array's storage, unshared first so it can be written; error 13 when not an array.
    ArrayData& mutableArray();

    // Conversions with the language's rules; each throws ScriptError (13 type mismatch, 94 invalid
    // use of Null, 6 overflow). Objects are converted through their default member.
    double toDouble() const;
    QString toString() const;   ///< CStr
    bool toBoolean() const;     ///< CBool
    uint8_t toByte() const;     ///< CByte, half to even
    int16_t toInteger() const;  ///< CInt, half to even
    int32_t toLong() const;     ///< CLng, half to even
    int64_t toCurrency() const; ///< CCur, scaled by 10000
    double toDate() const;      ///< CDate as a serial (days since 12/30/1899)
    /// Numeric value for arithmetic: numbers keep their subtype, Empty is Integer 0, strings become
    /// Double, Boolean stays Boolean; Null stays Null.
    Variant toNumeric() const;
    /// An object's default value (error 438 without a default member, 91 for Nothing); others as is.
    Variant dereferenced() const;

    /// Number formatting used by CStr: up to 15 significant digits, exponent form outside 1E-5..1E15.
    static QString formatDouble(double v, int significantDigits = 15);
    /// m/d/yyyy h:nn:ss AM/PM, the date or the time left out when zero.
    static QString formatDate(double serial);
    static QString formatCurrency(int64_t scaled);
    /// Parses a numeric string as the language does (blanks, sign, &H/&O, thousands ",", "$", exponent).
    static bool parseNumber(QStringView text, double& out);
    /// Parses a date and/or time in the US formats the language accepts.
    static bool parseDate(QStringView text, double& serial);
    /// Rounds half to even.
    static double roundHalfEven(double v);

private:
    bool ownsData() const { return m_type == VarType::String || m_type == VarType::Object || m_type == VarType::Array; }
    void clear() noexcept;
    void copyFrom(const Variant& o);
    // QString is relocatable: the storage moves bitwise and the source forgets it.
    void relocateFrom(Variant& o) noexcept
    {
        std::memcpy(static_cast<void*>(&m_s), static_cast<const void*>(&o.m_s), sizeof(QString));
        o.m_type = VarType::Empty;
    }
    Variant& assignSlow(const Variant& o);

    VarType m_type;
    union {
        int64_t m_i;
        double m_d;
        ScriptObject* m_o;
        ArrayData* m_a;
        QString m_s;
    };
};

/// Date serial helpers (proleptic Gregorian; serial 0 = 12/30/1899, time as the fraction's magnitude).
double dateFromParts(int year, int month, int day);
double timeFromParts(int hour, int minute, int second);
struct DateParts {
    int year, month, day, hour, minute, second, weekday; ///< weekday 1 = Sunday
};
DateParts dateParts(double serial);

} // namespace tv::script
