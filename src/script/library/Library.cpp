#include "script/library/Modules.h"

#include "script/Builtins.h"

namespace tv::script {

void registerLibrary(Library& library)
{
    lib::registerConversion(library);
    lib::registerInspection(library);
    lib::registerStrings(library);
    lib::registerSearch(library);
    lib::registerArrays(library);
    lib::registerMath(library);
    lib::registerDates(library);
    lib::registerDateIntervals(library);
    lib::registerFormatting(library);
    lib::registerEngineFunctions(library);
    lib::registerConstants(library);
    lib::registerObjects(library);
}

} // namespace tv::script
