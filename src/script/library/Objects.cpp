// CreateObject: the only objects a script can make are the dictionary, the file system object
// and the regular expression; any other name (shells, HTTP, databases...) is error 429.

#include "script/library/Args.h"
#include "script/library/Modules.h"
#include "script/library/Objects.h"

namespace tv::script::lib {

namespace {

Variant createObject(Context& cx, Args a)
{
    const QString name = a[0].toString().trimmed();
    static const struct {
        const char* progId;
        ObjectFactory create;
    } kClasses[] = {{"Scripting.Dictionary", newDictionary},
                    {"Scripting.FileSystemObject", newFileSystemObject},
                    {"VBScript.RegExp", newRegExp}};
    for (const auto& c : kClasses)
        if (name.compare(QLatin1String(c.progId), Qt::CaseInsensitive) == 0)
            return Variant::fromObject(c.create(cx).get());
    raise(429, ScriptError::standardText(429) + QStringLiteral(": '") + name + u'\'');
}

constexpr Builtin kFunctions[] = {{"CreateObject", 1, 2, createObject}};

} // namespace

void registerObjects(Library& library)
{
    library.addFunctions(kFunctions);
    library.addClass("RegExp", newRegExp);
}

} // namespace tv::script::lib
