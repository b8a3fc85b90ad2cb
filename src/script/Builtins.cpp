#include "script/Builtins.h"

#include <QHash>
#include <atomic>
#include <unordered_map>

namespace tv::script {

namespace {

struct CaseInsensitiveHash {
    size_t operator()(const QString& s) const { return qHash(s.toLower()); }
};
struct CaseInsensitiveEqual {
    bool operator()(const QString& a, const QString& b) const { return a.compare(b, Qt::CaseInsensitive) == 0; }
};
template <class T> using NameMap = std::unordered_map<QString, T, CaseInsensitiveHash, CaseInsensitiveEqual>;

} // namespace

struct Library::Tables {
    NameMap<Builtin> functions;
    NameMap<Variant> constants;
    NameMap<ObjectFactory> classes;
};

int Context::newStateKey()
{
    static std::atomic<int> next{0};
    return next++;
}

Library::Library() : m_tables(std::make_shared<Tables>()) {}

const Library& Library::instance()
{
    static const Library library = [] {
        Library l;
        registerLibrary(l);
        return l;
    }();
    return library;
}

void Library::addFunction(const Builtin& b)
{
    m_tables->functions[QString::fromLatin1(b.name)] = b;
}

void Library::addFunctions(std::span<const Builtin> list)
{
    for (const Builtin& b : list)
        addFunction(b);
}

void Library::addConstant(const char* name, const Variant& value)
{
    m_tables->constants[QString::fromLatin1(name)] = value;
}

void Library::addClass(const char* name, ObjectFactory create)
{
    m_tables->classes[QString::fromLatin1(name)] = create;
}

const Builtin* Library::function(QStringView name) const
{
    auto it = m_tables->functions.find(name.toString());
    return it == m_tables->functions.end() ? nullptr : &it->second;
}

const Variant* Library::constant(QStringView name) const
{
    auto it = m_tables->constants.find(name.toString());
    return it == m_tables->constants.end() ? nullptr : &it->second;
}

ObjectFactory Library::factory(QStringView name) const
{
    auto it = m_tables->classes.find(name.toString());
    return it == m_tables->classes.end() ? nullptr : it->second;
}

ClassInfo::ClassInfo(const char* typeName, std::initializer_list<MemberInfo> members)
    : m_typeName(QString::fromLatin1(typeName)), m_members(members)
{
}

int ClassInfo::find(QStringView name) const
{
    for (const MemberInfo& m : m_members)
        if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) return m.id;
    return -1;
}

const MemberInfo& ClassInfo::member(int id) const
{
    for (const MemberInfo& m : m_members)
        if (m.id == id) return m;
    raise(438);
}

void ClassInfo::checkArgs(int id, size_t count) const
{
    const MemberInfo& m = member(id);
    if (int(count) < m.minArgs || (m.maxArgs >= 0 && int(count) > m.maxArgs)) raise(450);
}

} // namespace tv::script
