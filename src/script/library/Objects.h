// Factories of the library's creatable objects, for CreateObject and New.
#pragma once

#include "script/Builtins.h"

namespace tv::script::lib {

Ref<ScriptObject> newDictionary(Context& cx);
Ref<ScriptObject> newFileSystemObject(Context& cx);
Ref<ScriptObject> newRegExp(Context& cx);

} // namespace tv::script::lib
