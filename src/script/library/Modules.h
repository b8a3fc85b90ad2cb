// The run-time library's modules: each registers its functions, constants or classes.
// registerLibrary (Library.cpp) calls them all once.
#pragma once

namespace tv::script {
class Library;
}

namespace tv::script::lib {

void registerConversion(Library& library);
void registerInspection(Library& library);
void registerStrings(Library& library);
void registerSearch(Library& library);
void registerArrays(Library& library);
void registerMath(Library& library);
void registerDates(Library& library);
void registerDateIntervals(Library& library);
void registerFormatting(Library& library);
void registerEngineFunctions(Library& library);
void registerConstants(Library& library);
void registerObjects(Library& library);

} // namespace tv::script::lib
