// RegExp (New RegExp / VBScript.RegExp) with its Matches, Match and SubMatches objects. Matching
// walks the subject itself so empty matches advance one character, as the JScript dialect does.

#include "script/library/Args.h"
#include "script/library/Objects.h"
#include "script/library/RegexSyntax.h"

#include <QRegularExpression>

namespace tv::script::lib {

namespace {

enum { kSubItem = 0, kSubCount };
const ClassInfo kSubMatchesInfo("ISubMatches", {{"Item", kSubItem, 1, 1}, {"Count", kSubCount, 0, 0}});

enum { kValue = 0, kFirstIndex, kLength, kSubMatches };
const ClassInfo kMatchInfo("IMatch2", {{"Value", kValue, 0, 0},
                                      {"FirstIndex", kFirstIndex, 0, 0},
                                      {"Length", kLength, 0, 0},
                                      {"SubMatches", kSubMatches, 0, 1}});

enum { kMatchItem = 0, kMatchCount };
const ClassInfo kMatchesInfo("IMatchCollection2", {{"Item", kMatchItem, 1, 1}, {"Count", kMatchCount, 0, 0}});

enum { kPattern, kIgnoreCase, kGlobal, kMultiLine, kTest, kExecute, kReplace };
const ClassInfo kRegExpInfo("IRegExp2", {{"Pattern", kPattern, 0, 0},
                                         {"IgnoreCase", kIgnoreCase, 0, 0},
                                         {"Global", kGlobal, 0, 0},
                                         {"MultiLine", kMultiLine, 0, 0},
                                         {"Test", kTest, 1, 1},
                                         {"Execute", kExecute, 1, 1},
                                         {"Replace", kReplace, 2, 2}});

// A read-only list object: Item(i) (the default member) and Count, For Each over the items.
class List : public NativeObject {
public:
    List(const ClassInfo& info, std::vector<Variant> items) : NativeObject(info), m_items(std::move(items)) {}

    Variant invoke(Context&, int id, Invoke kind, std::span<Variant> args) override
    {
        if (kind != Invoke::Get)
            raise(450);
        m_info.checkArgs(id, args.size());
        if (id == 1)
            return Variant::fromLong(int32_t(m_items.size()));
        const int32_t i = args[0].toLong();
        if (i < 0 || size_t(i) >= m_items.size())
            raise(5);
        return m_items[size_t(i)];
    }

    bool enumerate(Context&, std::vector<Variant>& items) override
    {
        items = m_items;
        return true;
    }

private:
    std::vector<Variant> m_items;
};

class Match : public NativeObject {
public:
    explicit Match(const QRegularExpressionMatch& m) : NativeObject(kMatchInfo), m_value(m.captured(0)),
        m_start(int32_t(m.capturedStart(0)))
    {
        for (int g = 1; g <= m.regularExpression().captureCount(); ++g)
            m_groups.push_back(m.capturedStart(g) < 0 ? Variant() : Variant(m.captured(g)));
    }

    Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) override
    {
        if (kind != Invoke::Get)
            raise(450);
        m_info.checkArgs(id, args.size());
        if (id != kSubMatches && !args.empty())
            raise(450);
        switch (id) {
        case kValue: return Variant(m_value);
        case kFirstIndex: return Variant::fromLong(m_start);
        case kLength: return Variant::fromLong(int32_t(m_value.size()));
        default: return indexed(cx, Variant::fromObject(new List(kSubMatchesInfo, m_groups)), args);
        }
    }

private:
    QString m_value;
    int32_t m_start;
    std::vector<Variant> m_groups;
};

class RegExp : public NativeObject {
public:
    RegExp() : NativeObject(kRegExpInfo) {}
    Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) override;

private:
    bool* flag(int id)
    {
        return id == kIgnoreCase ? &m_ignoreCase : id == kGlobal ? &m_global : id == kMultiLine ? &m_multiLine : nullptr;
    }

    const QRegularExpression& compiled()
    {
        if (!m_compiled) {
            const auto options = m_ignoreCase ? QRegularExpression::CaseInsensitiveOption
                                              : QRegularExpression::NoPatternOption;
            m_regex = QRegularExpression(translatePattern(m_pattern, m_multiLine), options);
            if (!m_regex.isValid())
                raise(5017);
            m_compiled = true;
        }
        return m_regex;
    }

    // Calls found(match) for each match in order (only the first unless Global); stops when it returns false.
    template <class F> void eachMatch(Context& cx, const QString& subject, F found)
    {
        const QRegularExpression& re = compiled();
        qsizetype offset = 0;
        while (offset <= subject.size()) {
            const QRegularExpressionMatch m = re.match(subject, offset);
            if (!m.hasMatch())
                return;
            found(m);
            if (!m_global)
                return;
            offset = m.capturedLength(0) == 0 ? m.capturedEnd(0) + 1 : m.capturedEnd(0);
            cx.checkTime();
        }
    }

    Variant replace(Context& cx, const QString& subject, const Variant& with);

    QString m_pattern;
    bool m_ignoreCase = false;
    bool m_global = false;
    bool m_multiLine = false;
    bool m_compiled = false;
    QRegularExpression m_regex;
};

Variant RegExp::replace(Context& cx, const QString& subject, const Variant& with)
{
    const bool callback = with.isObject();
    const QString text = callback ? QString() : with.toString();
    QString out;
    qsizetype done = 0;
    eachMatch(cx, subject, [&](const QRegularExpressionMatch& m) {
        out += QStringView(subject).mid(done, m.capturedStart(0) - done);
        if (callback) {
            // A function given through GetRef gets the match, each submatch, the position and the subject.
            std::vector<Variant> args{Variant(m.captured(0))};
            for (int g = 1; g <= m.regularExpression().captureCount(); ++g)
                args.emplace_back(m.captured(g));
            args.push_back(Variant::fromLong(int32_t(m.capturedStart(0))));
            args.emplace_back(subject);
            out += cx.callValue(with, args).toString();
        } else {
            out += expandReplacement(text, m, subject);
        }
        checkLength(out.size());
        done = m.capturedEnd(0);
    });
    out += QStringView(subject).mid(done);
    return Variant(out);
}

Variant RegExp::invoke(Context& cx, int id, Invoke kind, std::span<Variant> args)
{
    const bool write = kind != Invoke::Get;
    m_info.checkArgs(id, write ? args.size() - 1 : args.size());
    if (write && id >= kTest)
        raise(450);
    if (id == kPattern) {
        if (!write)
            return Variant(m_pattern);
        m_pattern = args[0].toString();
        m_compiled = false;
        return {};
    }
    if (bool* f = flag(id)) {
        if (!write)
            return Variant::fromBool(*f);
        *f = args[0].toBoolean();
        m_compiled = false;
        return {};
    }
    const QString subject = args[0].toString();
    switch (id) {
    case kTest: {
        const bool global = m_global;
        m_global = false;
        bool found = false;
        eachMatch(cx, subject, [&](const QRegularExpressionMatch&) { found = true; });
        m_global = global;
        return Variant::fromBool(found);
    }
    case kExecute: {
        std::vector<Variant> matches;
        eachMatch(cx, subject, [&](const QRegularExpressionMatch& m) { matches.push_back(Variant::fromObject(new Match(m))); });
        return Variant::fromObject(new List(kMatchesInfo, std::move(matches)));
    }
    default:
        return replace(cx, subject, args[1]);
    }
}

} // namespace

Ref<ScriptObject> newRegExp(Context&)
{
    return Ref<ScriptObject>(new RegExp);
}

} // namespace tv::script::lib
