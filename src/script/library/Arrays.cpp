// Array functions: Array builds a one-dimensional Variant array; LBound/UBound read any rank.

#include "script/library/Args.h"
#include "script/library/Modules.h"

namespace tv::script::lib {

namespace {

Variant array(Context&, Args a)
{
    return Variant::arrayOf(std::vector<Variant>(a.begin(), a.end()));
}

// The dimension argument (1 by default); error 13 for a non-array, 9 for a dimension out of range.
int dimension(Args a, const ArrayData*& data)
{
    data = a[0].isArray() ? a[0].rawArray() : nullptr;
    if (!data)
        raise(13);
    const int32_t dim = intArg(a, 1, 1);
    if (dim < 1 || dim > data->rank())
        raise(9);
    return dim - 1;
}

Variant lBound(Context&, Args a)
{
    const ArrayData* data;
    dimension(a, data);
    return Variant::fromLong(0);
}

Variant uBound(Context&, Args a)
{
    const ArrayData* data;
    const int dim = dimension(a, data);
    return Variant::fromLong(data->upperBound(dim));
}

constexpr Builtin kFunctions[] = {
    {"Array", 0, -1, array},
    {"LBound", 1, 2, lBound},
    {"UBound", 1, 2, uBound},
};

} // namespace

void registerArrays(Library& library)
{
    library.addFunctions(kFunctions);
}

} // namespace tv::script::lib
