#include "PackJson.h"

#include "PackFile.h"
#include "boots/BootFields.h"
#include "common/Printable.h"

#include <set>

namespace PackJson {

using Reasons::Id;

const Shape *Shape::member(std::string_view key) const
{
    for (const auto &[name, shape] : members) {
        if (name == key)
            return shape;
    }
    return nullptr;
}

namespace {

const Shape kValue{};

Shape object(std::vector<std::pair<std::string_view, const Shape *>> members)
{
    return {Shape::Kind::Object, std::move(members), nullptr, 0};
}

Shape list(const Shape &item, std::size_t most)
{
    return {Shape::Kind::List, {}, &item, most};
}

std::string inQuotes(std::string_view text)
{
    return "\"" + Printable::name(text) + "\"";
}

// One open object or list: its shape, where it lies and the member it is (for the reasons),
// the keys met so far and the items counted so far.
struct Open
{
    const Shape *shape;
    Reason where;
    std::string label;
    std::set<std::string> keys;
    std::size_t items = 0;
};

// The events of the first pass. Any refusal stops the parser at once.
class ShapeCheck
{
public:
    using Number = Json::number_integer_t;
    using Unsigned = Json::number_unsigned_t;
    using Float = Json::number_float_t;

    ShapeCheck(const std::string &name, const Shape &root) : mName(name), mNext(&root) {}

    bool null() { return value(); }
    bool boolean(bool) { return value(); }
    bool number_integer(Number) { return value(); }
    bool number_unsigned(Unsigned) { return value(); }
    bool number_float(Float, const Json::string_t &) { return value(); }
    bool string(Json::string_t &) { return value(); }
    bool binary(Json::binary_t &) { return value(); }
    bool start_object(std::size_t) { return open(Shape::Kind::Object); }
    bool start_array(std::size_t) { return open(Shape::Kind::List); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(Json::string_t &key)
    {
        Open &object = mOpen.back();
        if (!object.keys.insert(key).second)
            return refuse(
                Reason(Id::NamedLine, {object.where, Reason(Id::JsonKeyTwice, {inQuotes(key)})}));
        mNext = object.shape->member(key);
        mKey = key;
        if (!mNext)
            return refuse(Reason(Id::PackUnknownKey, {object.where, inQuotes(key)}));
        return true;
    }

    bool parse_error(std::size_t, const std::string &, const Json::exception &)
    {
        return refuse(Reason(Id::PackNotJson, {inQuotes(mName)}));
    }

    const Reason &refusal() const { return mRefusal; }

private:
    bool refuse(Reason reason)
    {
        mRefusal = std::move(reason);
        return false;
    }

    // A value begins where mNext says what it may be; an item of a list is counted first.
    bool begin()
    {
        if (mOpen.empty() || mOpen.back().shape->kind != Shape::Kind::List)
            return true;
        Open &list = mOpen.back();
        mNext = list.shape->item;
        if (++list.items > list.shape->most)
            return refuse(
                Reason(Id::PackListTooLong, {list.where, std::to_string(list.shape->most)}));
        return true;
    }

    // A text or a number: its kind is checked as it is read; it costs no more than its bytes.
    bool value() { return begin(); }

    bool open(Shape::Kind kind)
    {
        if (!begin())
            return false;
        if (mOpen.empty()) {
            if (kind != mNext->kind)
                return refuse(Reason(Id::NotAnObject, {inQuotes(mName)}));
            mOpen.push_back({mNext, Reason(inQuotes(mName)), mName, {}, 0});
            return true;
        }
        const Open &parent = mOpen.back();
        // An item of a list is named by its list, anything else by its member.
        std::string label = parent.shape->kind == Shape::Kind::List ? parent.label : mKey;
        if (kind != mNext->kind)
            return refuse(Reason(Id::PackNoMember, {parent.where, label}));
        Reason where(Id::PackFieldOf, {inQuotes(mName), label});
        mOpen.push_back({mNext, std::move(where), std::move(label), {}, 0});
        return true;
    }

    bool close()
    {
        mOpen.pop_back();
        return true;
    }

    std::string mName;
    const Shape *mNext;
    std::string mKey;
    std::vector<Open> mOpen;
    Reason mRefusal;
};

} // namespace

const Shape &manifestShape()
{
    static const Shape boots = object({{"name", &kValue}, {"fingerprint", &kValue}});
    static const Shape archive = object(
        {{"name", &kValue}, {"fingerprint", &kValue}, {"entries", &kValue}, {"names", &kValue}});
    static const Shape archives = list(archive, PackFile::kMaxTextures);
    static const Shape manifest = object({{"format", &kValue},
                                          {"title", &kValue},
                                          {"author", &kValue},
                                          {"description", &kValue},
                                          {"program", &kValue},
                                          {"date", &kValue},
                                          {"boots", &boots},
                                          {"archives", &archives}});
    return manifest;
}

const Shape &changesShape()
{
    static const Shape field = object({{"key", &kValue}, {"before", &kValue}, {"after", &kValue}});
    static const Shape fields = list(field, BootFields::kCount);
    static const Shape boot =
        object({{"boot", &kValue}, {"name", &kValue}, {"id", &kValue}, {"fields", &fields}});
    static const Shape boots = list(boot, PackFile::kMaxBoots);
    static const Shape texture = object({{"archive", &kValue},
                                         {"entry", &kValue},
                                         {"name", &kValue},
                                         {"before", &kValue},
                                         {"after", &kValue}});
    static const Shape textures = list(texture, PackFile::kMaxTextures);
    static const Shape changes = object({{"boots", &boots}, {"textures", &textures}});
    return changes;
}

bool parse(const std::vector<std::uint8_t> &text, const std::string &name, const Shape &shape,
           Json &doc, ReasonOut error)
{
    ShapeCheck check(name, shape);
    if (!Json::sax_parse(text.begin(), text.end(), &check))
        return error.fail(check.refusal());
    try {
        doc = Json::parse(text.begin(), text.end());
        return true;
    } catch (const Json::exception &) {
        return error.fail(Reason(Id::PackNotJson, {inQuotes(name)}));
    }
}

} // namespace PackJson
