#pragma once

#include "Host/Types/PropertyTree.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

/// Table-driven conversion of plain records to and from PropertyTree maps.
///
/// A record type T takes part by specialising RecordFields<T> with a constant
/// tuple `fields` of FieldInfo entries, in processing order. Every member type
/// needs a TreeConverter: the ones here cover texts, bools, 32-bit integers,
/// doubles, enumerations with an EnumNames specialisation, records, vectors of
/// any of these and sets of texts; other kinds specialise TreeConverter.
namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig {

/// Switches handed down unchanged to every nested record and list element.
struct TreeOptions {
    /// Reading: a missing key resets its member to the default instance's.
    /// Writing: a record's tree is cleared before its members are written.
    bool replace = false;
    /// Writing: members equal to the default instance's are left out.
    bool skipDefaults = false;
};

/// One reflected member: its key (the member name without "m_") and its position.
template <typename T, typename M>
struct FieldInfo {
    using Record = T;
    using Member = M;

    const char* key;
    std::size_t keyLength;
    M T::*member;

    std::string Key() const { return std::string(key, keyLength); }
};

/// Field<Record>("key", &Record::m_key); members of a base class are accepted.
template <typename T, typename C, typename M, std::size_t N>
constexpr FieldInfo<T, M> Field(const char (&key)[N], M C::*member)
{
    static_assert(std::is_base_of_v<C, T>, "the member must belong to the record or one of its bases");
    return {key, N - 1, member};
}

/// The default-constructed value that reading and writing compare against.
template <typename T>
const T& DefaultInstance()
{
    static const T instance{};
    return instance;
}

/// Specialised per record: `static constexpr auto fields = std::make_tuple(Field<T>(...), ...);`
template <typename T>
struct RecordFields;

/// Specialised per enumeration: `names` in value order starting at `first`, and
/// the `fallback` for unknown or missing names.
template <typename E>
struct EnumNames;

template <typename T, typename = void>
struct IsRecord : std::false_type {};
template <typename T>
struct IsRecord<T, std::void_t<decltype(RecordFields<T>::fields)>> : std::true_type {};

template <typename M, typename = void>
struct TreeConverter;

template <typename T>
void ReadRecord(T& record, const PropertyTree::Map& map, TreeOptions options);
template <typename T>
void WriteRecord(const T& record, PropertyTree::Map& map, TreeOptions options);

template <>
struct TreeConverter<std::string> {
    static void Read(std::string& value, const PropertyTree& tree, TreeOptions)
    {
        const PropertyTreeScalar& scalar = tree.getScalar();
        if (scalar.isString())
            value.assign(scalar.toStringView());
        else
            value = scalar.convertTo<std::string>();
    }
    static void Write(const std::string& value, PropertyTree& tree, TreeOptions) { tree = PropertyTreeScalar(value); }
};

template <>
struct TreeConverter<bool> {
    static void Read(bool& value, const PropertyTree& tree, TreeOptions) { value = tree.getScalar().convertTo<bool>(); }
    static void Write(bool value, PropertyTree& tree, TreeOptions) { tree = PropertyTreeScalar(value); }
};

template <>
struct TreeConverter<std::int32_t> {
    static void Read(std::int32_t& value, const PropertyTree& tree, TreeOptions)
    {
        value = static_cast<std::int32_t>(tree.getScalar().toInt());
    }
    static void Write(std::int32_t value, PropertyTree& tree, TreeOptions)
    {
        tree = PropertyTreeScalar(static_cast<std::int64_t>(value));
    }
};

template <>
struct TreeConverter<double> {
    // "nan" and "inf" parse, but no writer takes them back: refuse them like any unreadable number.
    static void Read(double& value, const PropertyTree& tree, TreeOptions)
    {
        const double number = tree.getScalar().toDouble();
        if (!std::isfinite(number))
            throw std::invalid_argument("\"" + tree.getScalar().toString() + "\" is not a finite number");
        value = number;
    }
    static void Write(double value, PropertyTree& tree, TreeOptions) { tree = PropertyTreeScalar(value); }
};

template <typename E>
struct TreeConverter<E, std::enable_if_t<std::is_enum_v<E>>> {
    using Names = EnumNames<E>;

    // Unknown names and non-scalars take the fallback rather than failing.
    static void Read(E& value, const PropertyTree& tree, TreeOptions)
    {
        const std::string text = tree.isScalar() ? tree.getScalar().toString() : std::string();
        value = Names::fallback;
        for (std::size_t i = 0; i < Names::names.size(); ++i)
            if (Names::names[i] == text) {
                value = static_cast<E>(Names::first + static_cast<int>(i));
                break;
            }
    }
    static void Write(E value, PropertyTree& tree, TreeOptions)
    {
        const auto index = static_cast<std::int64_t>(value) - Names::first;
        const bool named = index >= 0 && index < static_cast<std::int64_t>(Names::names.size());
        tree = PropertyTreeScalar(named ? std::string(Names::names[static_cast<std::size_t>(index)]) : std::string());
    }
};

template <typename T>
struct TreeConverter<T, std::enable_if_t<IsRecord<T>::value>> {
    static void Read(T& value, const PropertyTree& tree, TreeOptions options)
    {
        ReadRecord(value, tree.getMap(), options);
    }
    static void Write(const T& value, PropertyTree& tree, TreeOptions options)
    {
        if (options.replace)
            tree = PropertyTree();
        tree.convertToMap();
        WriteRecord(value, tree.getMap(), options);
    }
};

// Lists and sets: a tree that is not a list leaves the member unchanged. Elements
// are appended one by one, so a failing element keeps those read before it.
template <typename E, typename A>
struct TreeConverter<std::vector<E, A>> {
    static void Read(std::vector<E, A>& value, const PropertyTree& tree, TreeOptions options)
    {
        if (!tree.isList())
            return;
        const auto& list = tree.getList();
        value.clear();
        value.reserve(list.size());
        // A new element holds the defaults already: resetting its missing members would copy them again.
        TreeOptions elementOptions = options;
        elementOptions.replace = false;
        for (const PropertyTree& element : list) {
            // Read in place; an element that fails is not kept.
            E& item = value.emplace_back();
            try {
                TreeConverter<E>::Read(item, element, elementOptions);
            } catch (...) {
                value.pop_back();
                throw;
            }
        }
    }
    static void Write(const std::vector<E, A>& value, PropertyTree& tree, TreeOptions options)
    {
        tree = PropertyTree();
        tree.convertToList();
        auto& list = tree.getList();
        list.resize(value.size());
        for (std::size_t i = 0; i < value.size(); ++i)
            TreeConverter<E>::Write(value[i], list[i], options);
    }
};

template <>
struct TreeConverter<std::set<std::string>> {
    static void Read(std::set<std::string>& value, const PropertyTree& tree, TreeOptions)
    {
        if (!tree.isList())
            return;
        value.clear();
        for (const PropertyTree& element : tree.getList())
            value.insert(element.getScalar().convertTo<std::string>());
    }
    static void Write(const std::set<std::string>& value, PropertyTree& tree, TreeOptions)
    {
        tree = PropertyTree();
        tree.convertToList();
        auto& list = tree.getList();
        list.reserve(value.size());
        for (const std::string& text : value)
            list.emplace_back(PropertyTreeScalar(text));
    }
};

template <typename T>
constexpr std::size_t FieldCount = std::tuple_size_v<std::decay_t<decltype(RecordFields<T>::fields)>>;

/// The table's keys in the map's order, each with its table position; made once per record.
template <typename T>
const std::array<std::pair<std::string_view, std::size_t>, FieldCount<T>>& SortedKeys()
{
    static const auto sorted = [] {
        std::array<std::pair<std::string_view, std::size_t>, FieldCount<T>> keys{};
        std::size_t i = 0;
        std::apply([&](const auto&... field) { ((keys[i] = {std::string_view(field.key, field.keyLength), i}, ++i), ...); },
                   RecordFields<T>::fields);
        std::sort(keys.begin(), keys.end());
        return keys;
    }();
    return sorted;
}

/// Three-way comparison of keys in the map's order; most keys differ in their first
/// byte, which is compared before the library call for the rest.
inline int CompareKeys(std::string_view a, std::string_view b)
{
    if (!a.empty() && !b.empty() && a.front() != b.front())
        return static_cast<unsigned char>(a.front()) < static_cast<unsigned char>(b.front()) ? -1 : 1;
    return a.compare(b);
}

template <typename T, typename M>
void ReadField(T& record, const PropertyTree* tree, const FieldInfo<T, M>& field, TreeOptions options)
{
    if (!tree) {
        if (options.replace)
            record.*field.member = DefaultInstance<T>().*field.member;
        return;
    }
    TreeConverter<M>::Read(record.*field.member, *tree, options);
}

template <typename T, typename M>
bool IsWritten(const T& record, const FieldInfo<T, M>& field, TreeOptions options)
{
    return !options.skipDefaults || !(record.*field.member == DefaultInstance<T>().*field.member);
}

template <typename T, std::size_t I>
void WriteFieldAt(const T& record, PropertyTree::Map& map, PropertyTree::Map::iterator& hint, TreeOptions options)
{
    const auto& field = std::get<I>(RecordFields<T>::fields);
    const auto& value = record.*field.member;
    if (!IsWritten(record, field, options))
        return;
    const auto it = map.try_emplace(hint, field.Key());
    TreeConverter<std::decay_t<decltype(value)>>::Write(value, it->second, options);
    hint = std::next(it);
}

template <typename T, std::size_t... I>
constexpr auto FieldWriters(std::index_sequence<I...>)
{
    return std::array{&WriteFieldAt<T, I>...};
}

/// Reads the members of the table from the map, in table order; keys outside the table are ignored.
template <typename T>
void ReadRecord(T& record, const PropertyTree::Map& map, TreeOptions options)
{
    // One ordered walk over both instead of a map lookup per member.
    std::array<const PropertyTree*, FieldCount<T>> found{};
    auto it = map.begin();
    for (const auto& [key, index] : SortedKeys<T>()) {
        int order = 1;
        while (it != map.end() && (order = CompareKeys(it->first, key)) < 0)
            ++it;
        if (it == map.end())
            break;
        if (order == 0)
            found[index] = &it->second;
    }
    std::size_t i = 0;
    std::apply([&](const auto&... field) { (ReadField(record, found[i++], field, options), ...); },
               RecordFields<T>::fields);
}

/// Writes the members of the table into the map. They go in key order, so that
/// each insertion lands at its hint.
template <typename T>
void WriteRecord(const T& record, PropertyTree::Map& map, TreeOptions options)
{
    static constexpr auto writers = FieldWriters<T>(std::make_index_sequence<FieldCount<T>>());
    // Counted first, so that the map is allocated once rather than regrown at every few keys.
    const std::size_t written = std::apply(
        [&](const auto&... field) { return (std::size_t{0} + ... + std::size_t{IsWritten(record, field, options)}); },
        RecordFields<T>::fields);
    map.reserve(map.size() + written);
    auto hint = map.begin();
    for (const auto& entry : SortedKeys<T>())
        writers[entry.second](record, map, hint, options);
}

} // namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig
