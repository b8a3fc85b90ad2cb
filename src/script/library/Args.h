// Small helpers every library module uses to read its arguments: omitted optional arguments,
// whole-number arguments with the language's rounding, Null pass-through and Windows-1252.
// Kept inline and free of heavy includes so each module stays a lean translation unit.
#pragma once

#include "script/Builtins.h"

namespace tv::script::lib {

using Args = std::span<Variant>;

/// True when argument i was not given (beyond the list, or an omitted middle argument).
inline bool missing(Args a, size_t i)
{
    return i >= a.size() || a[i].type() == VarType::Error;
}

/// A whole-number argument (CLng rules), or the fallback when omitted.
inline int32_t intArg(Args a, size_t i, int32_t fallback)
{
    return missing(a, i) ? fallback : a[i].toLong();
}

inline bool boolArg(Args a, size_t i, bool fallback)
{
    return missing(a, i) ? fallback : a[i].toBoolean();
}

/// A compare-mode argument: 0 binary, anything else text (case-insensitive); error 5 below 0.
inline bool textCompareArg(Args a, size_t i)
{
    const int32_t mode = intArg(a, i, 0);
    if (mode < 0)
        raise(5);
    return mode != 0;
}

inline Variant fromInt(int32_t v)
{
    return v >= -32768 && v <= 32767 ? Variant::fromInteger(int16_t(v)) : Variant::fromLong(v);
}

/// A collection property read with arguments (m.SubMatches(1), folder.Files("a.txt")) gives the
/// collection's default member for those arguments, as the platform's objects do.
inline Variant indexed(Context& cx, const Variant& collection, Args args)
{
    if (args.empty())
        return collection;
    return collection.rawObject()->invoke(cx, 0, Invoke::Get, args);
}

/// Strings a built-in makes are capped so one call cannot exhaust memory (error 14).
inline void checkLength(int64_t length)
{
    if (length > (int64_t(1) << 26))
        raise(14);
}

} // namespace tv::script::lib
