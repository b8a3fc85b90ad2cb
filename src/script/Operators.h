// The language's operators over Variants: arithmetic with overflow widening, concatenation,
// comparisons (with the literal coercion rule) and the bitwise logical operators with Null rules.
#pragma once

#include "script/Ast.h"

namespace tv::script {

/// Applies a binary operator to dereferenced operands (Is compares object identity).
Variant applyBinary(BinOp op, const Variant& a, const Variant& b, bool aLiteral = false, bool bLiteral = false);
Variant negate(const Variant& v);
Variant logicalNot(const Variant& v);
/// Compares for =, Select Case and the like: -1, 0, 1, or 2 when either side is Null.
int compareValues(const Variant& a, const Variant& b, bool aLiteral, bool bLiteral);

} // namespace tv::script
