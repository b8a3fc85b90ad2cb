// Parser robustness: any bytes parse to a program or a compile error, never a crash or a hang.
#include "script/Parser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    tv::script::CompileError error{};
    tv::script::Parser::parseProgram(text, error);
    tv::script::Parser::parseExpression(text, error);
    return 0;
}
