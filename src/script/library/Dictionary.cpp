// Scripting.Dictionary: keys in insertion order with a hash index. Keys compare by value: numbers
// by number, strings exactly or (CompareMode 1) case-insensitively, objects by identity.

#include "script/library/Args.h"
#include "script/library/Objects.h"

#include <QHash>

namespace tv::script::lib {

namespace {

enum { kItem = 0, kAdd, kExists, kRemove, kRemoveAll, kKeys, kItems, kCount, kKey, kCompareMode };

const ClassInfo kInfo("Dictionary", {{"Item", kItem, 1, 1},
                                     {"Add", kAdd, 2, 2},
                                     {"Exists", kExists, 1, 1},
                                     {"Remove", kRemove, 1, 1},
                                     {"RemoveAll", kRemoveAll, 0, 0},
                                     {"Keys", kKeys, 0, 0},
                                     {"Items", kItems, 0, 0},
                                     {"Count", kCount, 0, 0},
                                     {"Key", kKey, 1, 1},
                                     {"CompareMode", kCompareMode, 0, 0}});

const QString kDuplicate = QStringLiteral("This key is already associated with an element of this collection");

class Dictionary : public NativeObject {
public:
    Dictionary() : NativeObject(kInfo) {}

    Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) override;

    bool enumerate(Context&, std::vector<Variant>& items) override
    {
        items = m_keys;
        return true;
    }

private:
    // The index form of a key: its kind and its value as text.
    QString indexKey(const Variant& key) const
    {
        const Variant k = key.isObject() ? key : key.dereferenced();
        switch (k.type()) {
        case VarType::Empty: return QStringLiteral("e");
        case VarType::Null: return QStringLiteral("z");
        case VarType::String: return u's' + (m_text ? k.rawString().toCaseFolded() : k.rawString());
        case VarType::Object: return u'o' + QString::number(quintptr(k.rawObject()), 16);
        case VarType::Array: raise(13);
        default: return u'n' + QString::number(k.toDouble(), 'g', 17);
        }
    }

    qsizetype find(const Variant& key) const { return m_index.value(indexKey(key), -1); }

    void add(const Variant& key, const Variant& value)
    {
        const QString k = indexKey(key);
        if (m_index.contains(k))
            raise(457, kDuplicate);
        m_index.insert(k, m_keys.size());
        m_keys.push_back(key.isObject() ? key : key.dereferenced());
        m_items.push_back(value);
    }

    void removeAt(qsizetype at)
    {
        m_keys.erase(m_keys.begin() + at);
        m_items.erase(m_items.begin() + at);
        reindex();
    }

    void reindex()
    {
        m_index.clear();
        for (size_t i = 0; i < m_keys.size(); ++i)
            m_index.insert(indexKey(m_keys[i]), qsizetype(i));
    }

    std::vector<Variant> m_keys;
    std::vector<Variant> m_items;
    QHash<QString, qsizetype> m_index;
    bool m_text = false;
};

Variant Dictionary::invoke(Context&, int id, Invoke kind, std::span<Variant> args)
{
    const bool write = kind != Invoke::Get;
    m_info.checkArgs(id, write ? args.size() - 1 : args.size());
    if (write && id != kItem && id != kKey && id != kCompareMode)
        raise(450);
    switch (id) {
    case kItem: {
        // Reading a missing key adds it with an Empty value, as the platform's dictionary does.
        qsizetype at = find(args[0]);
        if (at < 0) {
            add(args[0], Variant());
            at = qsizetype(m_keys.size()) - 1;
        }
        if (write)
            m_items[size_t(at)] = args[1];
        return write ? Variant() : m_items[size_t(at)];
    }
    case kAdd:
        add(args[0], args[1]);
        return {};
    case kExists:
        return Variant::fromBool(find(args[0]) >= 0);
    case kRemove: {
        const qsizetype at = find(args[0]);
        if (at < 0)
            raise(32811);
        removeAt(at);
        return {};
    }
    case kRemoveAll:
        m_keys.clear();
        m_items.clear();
        m_index.clear();
        return {};
    case kKeys:
        return Variant::arrayOf(m_keys);
    case kItems:
        return Variant::arrayOf(m_items);
    case kCount:
        return Variant::fromLong(int32_t(m_keys.size()));
    case kKey: {
        if (!write)
            raise(450);
        const qsizetype at = find(args[0]);
        if (at < 0)
            raise(32811);
        if (find(args[1]) >= 0)
            raise(457, kDuplicate);
        m_keys[size_t(at)] = args[1].isObject() ? args[1] : args[1].dereferenced();
        reindex();
        return {};
    }
    case kCompareMode: {
        if (!write)
            return Variant::fromLong(m_text ? 1 : 0);
        const int32_t mode = args[0].toLong();
        if (mode < 0 || !m_keys.empty())
            raise(5);
        m_text = mode != 0;
        return {};
    }
    default:
        raise(438);
    }
}

} // namespace

Ref<ScriptObject> newDictionary(Context&)
{
    return Ref<ScriptObject>(new Dictionary);
}

} // namespace tv::script::lib
