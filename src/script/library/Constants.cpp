// The language's vb… constants: strings, compare modes, dates, tristates, VarType codes, MsgBox
// buttons and answers, colours and vbObjectError.

#include "script/library/Modules.h"

#include "script/Builtins.h"

namespace tv::script::lib {

namespace {

struct Number {
    const char* name;
    int32_t value;
};

constexpr Number kNumbers[] = {
    {"vbBinaryCompare", 0}, {"vbTextCompare", 1}, {"vbDatabaseCompare", 2},
    {"vbUseSystemDayOfWeek", 0}, {"vbSunday", 1}, {"vbMonday", 2}, {"vbTuesday", 3}, {"vbWednesday", 4},
    {"vbThursday", 5}, {"vbFriday", 6}, {"vbSaturday", 7},
    {"vbUseSystem", 0}, {"vbFirstJan1", 1}, {"vbFirstFourDays", 2}, {"vbFirstFullWeek", 3},
    {"vbGeneralDate", 0}, {"vbLongDate", 1}, {"vbShortDate", 2}, {"vbLongTime", 3}, {"vbShortTime", 4},
    {"vbUseDefault", -2}, {"vbTrue", -1}, {"vbFalse", 0},
    {"vbEmpty", 0}, {"vbNull", 1}, {"vbInteger", 2}, {"vbLong", 3}, {"vbSingle", 4}, {"vbDouble", 5},
    {"vbCurrency", 6}, {"vbDate", 7}, {"vbString", 8}, {"vbObject", 9}, {"vbError", 10}, {"vbBoolean", 11},
    {"vbVariant", 12}, {"vbDataObject", 13}, {"vbDecimal", 14}, {"vbByte", 17}, {"vbArray", 8192},
    {"vbOKOnly", 0}, {"vbOKCancel", 1}, {"vbAbortRetryIgnore", 2}, {"vbYesNoCancel", 3}, {"vbYesNo", 4},
    {"vbRetryCancel", 5}, {"vbCritical", 16}, {"vbQuestion", 32}, {"vbExclamation", 48}, {"vbInformation", 64},
    {"vbDefaultButton1", 0}, {"vbDefaultButton2", 256}, {"vbDefaultButton3", 512}, {"vbDefaultButton4", 768},
    {"vbApplicationModal", 0}, {"vbSystemModal", 4096},
    {"vbOK", 1}, {"vbCancel", 2}, {"vbAbort", 3}, {"vbRetry", 4}, {"vbIgnore", 5}, {"vbYes", 6}, {"vbNo", 7},
    {"vbBlack", 0}, {"vbRed", 255}, {"vbGreen", 65280}, {"vbYellow", 65535}, {"vbBlue", 16711680},
    {"vbMagenta", 16711935}, {"vbCyan", 16776960}, {"vbWhite", 16777215},
    {"vbObjectError", -2147221504},
};

// Colours and vbObjectError are Longs whatever their size; the rest are Integers.
bool isLong(const char* name)
{
    const QLatin1String n(name);
    return n == QLatin1String("vbObjectError") || n == QLatin1String("vbBlack") || n == QLatin1String("vbRed") ||
           n == QLatin1String("vbGreen") || n == QLatin1String("vbYellow") || n == QLatin1String("vbBlue") ||
           n == QLatin1String("vbMagenta") || n == QLatin1String("vbCyan") || n == QLatin1String("vbWhite");
}

} // namespace

void registerConstants(Library& library)
{
    for (const Number& n : kNumbers)
        library.addConstant(n.name, isLong(n.name) ? Variant::fromLong(n.value) : Variant::fromInteger(int16_t(n.value)));
    const struct {
        const char* name;
        const char* text;
    } kStrings[] = {{"vbCr", "\r"},       {"vbLf", "\n"},       {"vbCrLf", "\r\n"},   {"vbNewLine", "\r\n"},
                    {"vbTab", "\t"},      {"vbFormFeed", "\f"}, {"vbVerticalTab", "\v"}, {"vbNullString", ""}};
    for (const auto& s : kStrings)
        library.addConstant(s.name, Variant(QString::fromLatin1(s.text)));
    library.addConstant("vbNullChar", Variant(QString(QChar(u'\0'))));
}

} // namespace tv::script::lib
