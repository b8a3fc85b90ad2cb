// Upper-case hex output and tolerant hex input shared by the form and quoted-printable codecs.
#pragma once

namespace tv::remote::hex {

inline constexpr char kDigits[] = "0123456789ABCDEF";

/// The value of one hex digit of either case, or -1.
inline int value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace tv::remote::hex
