#include "Host/Types/JsonCodec.h"

#include "Host/Types/BaseConfigError.h"
#include "Host/Types/CallStack.h"

#include <boost/locale/utf.hpp>
#include <rapidjson/error/en.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/reader.h>
#include <rapidjson/stream.h>
#include <rapidjson/stringbuffer.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <tuple>
#include <vector>

namespace Tavrel::PhotoUtil {
namespace {

// Numbers arrive as raw text so that integers keep every digit and the form
// (integer or double) survives; the reader still checks the JSON grammar. Strings are
// decoded in place, in a copy of the text that the reader may overwrite. The reader
// recurses once per level, which the builder stops at MaxDepth: the stack stays small,
// and the recursive reader is faster than the iterative one.
constexpr unsigned kParseFlags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseNumbersAsStringsFlag |
                                 rapidjson::kParseInsituFlag;

struct TextFault {
    std::size_t offset;
    const char* reason;
};

// The UTF-16 code unit of a "\\uXXXX" escape at p, or -1 for anything else.
int EscapedUnit(const char* p, const char* end)
{
    if (end - p < 6 || p[0] != '\\' || p[1] != 'u')
        return -1;
    unsigned unit = 0;
    const auto [next, ec] = std::from_chars(p + 2, p + 6, unit, 16);
    return ec == std::errc() && next == p + 6 ? static_cast<int>(unit) : -1;
}

// Texts must be UTF-8: a file in another encoding is refused rather than read into
// garbled names. The reader's escapes can still make a lone surrogate ("\udc00"), which
// decodes to bytes that are not UTF-8 and that no later read accepts. One pass finds
// both, eight bytes at a time through the ASCII that holds no backslash (most of a
// configuration), instead of the reader's byte-by-byte check of every string.
std::optional<TextFault> FindTextFault(std::string_view text)
{
    using Utf8 = boost::locale::utf::utf_traits<char>;
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highBits = 0x8080808080808080;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    while (p != end) {
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t backslashes = word ^ (ones * '\\');
            if (((word | ((backslashes - ones) & ~backslashes)) & highBits) == 0) {
                p += 8;
                continue;
            }
        }
        const char* const at = p;
        if (*p == '\\') {
            // Outside strings a backslash breaks the grammar, which the reader reports.
            const int unit = EscapedUnit(p, end);
            if (unit >= 0xDC00 && unit <= 0xDFFF)
                return TextFault{static_cast<std::size_t>(at - begin),
                                 "a \\u escape names a lone surrogate, which is not a character"};
            // A first half followed by a second is one character; the reader refuses a first half alone.
            const int next = unit >= 0xD800 && unit <= 0xDBFF ? EscapedUnit(p + 6, end) : -1;
            p += next >= 0xDC00 && next <= 0xDFFF ? 12 : std::min<std::ptrdiff_t>(2, end - p);
        } else if (static_cast<unsigned char>(*p) < 0x80) {
            ++p;
        } else if (const auto codepoint = Utf8::decode(p, end);
                   codepoint == boost::locale::utf::illegal || codepoint == boost::locale::utf::incomplete) {
            return TextFault{static_cast<std::size_t>(at - begin), "Invalid encoding: the text must be UTF-8."};
        }
    }
    return std::nullopt;
}

class TreeBuilder : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TreeBuilder> {
public:
    using SizeType = rapidjson::SizeType;

    bool Null() { return Add(PropertyTree()); }
    bool Bool(bool value) { return Add(PropertyTreeScalar(value)); }
    bool String(const char* text, SizeType length, bool)
    {
        return Add(PropertyTreeScalar(std::string(text, length)));
    }

    bool RawNumber(const char* text, SizeType length, bool)
    {
        const char* end = text + length;
        const bool isInteger = std::find_if(text, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; }) == end;
        if (isInteger) {
            std::int64_t value = 0;
            const auto [ptr, ec] = std::from_chars(text, end, value);
            if (ec == std::errc() && ptr == end)
                return Add(PropertyTreeScalar(value));
            m_error = "the integer " + std::string(text, length) + " does not fit 64 bits";
            return false;
        }
        double value = 0;
        const auto [ptr, ec] = std::from_chars(text, end, value);
        if (ec == std::errc() && ptr == end)
            return Add(PropertyTreeScalar(value));
        // from_chars refuses underflow, which JSON readers take as zero.
        value = std::strtod(std::string(text, length).c_str(), nullptr);
        if (std::isfinite(value))
            return Add(PropertyTreeScalar(value));
        m_error = "the number " + std::string(text, length) + " does not fit a double";
        return false;
    }

    // The member is made with its key at once; its value arrives next.
    bool Key(const char* text, SizeType length, bool)
    {
        m_members.emplace_back(std::piecewise_construct, std::forward_as_tuple(text, length), std::forward_as_tuple());
        return true;
    }

    bool StartObject() { return Open(false); }
    bool StartArray() { return Open(true); }
    bool EndObject(SizeType) { return Add(PropertyTree(TakeMap())); }
    bool EndArray(SizeType) { return Add(PropertyTree(TakeList())); }

    PropertyTree TakeRoot() { return std::move(m_root); }
    const std::string& Error() const { return m_error; }

private:
    using Member = PropertyTree::Map::value_type;

    struct Level {
        std::size_t start; // of the level's values in m_elements or m_members
        bool isList;
    };

    // Values of open lists and objects wait on two stacks, like the reader's own, and
    // move into storage of their final size when their container closes: one allocation
    // per container, and the stacks' capacity serves the whole document.
    bool Add(PropertyTree value)
    {
        if (m_levels.empty())
            m_root = std::move(value);
        else if (m_levels.back().isList)
            m_elements.push_back(std::move(value));
        else
            m_members.back().second = std::move(value);
        return true;
    }

    bool Open(bool isList)
    {
        if (m_levels.size() >= static_cast<std::size_t>(JsonCodec::MaxDepth)) {
            m_error = "nesting deeper than " + std::to_string(JsonCodec::MaxDepth) + " levels";
            return false;
        }
        m_levels.push_back({isList ? m_elements.size() : m_members.size(), isList});
        return true;
    }

    PropertyTree::List TakeList()
    {
        const auto first = m_elements.begin() + static_cast<std::ptrdiff_t>(m_levels.back().start);
        m_levels.pop_back();
        PropertyTree::List list(std::make_move_iterator(first), std::make_move_iterator(m_elements.end()));
        m_elements.erase(first, m_elements.end());
        return list;
    }

    // Sorts an object's members once (inserting each into the sorted map would shift
    // the ones after it: the square of the count); of a repeated key the last value wins.
    PropertyTree::Map TakeMap()
    {
        const auto first = m_members.begin() + static_cast<std::ptrdiff_t>(m_levels.back().start);
        m_levels.pop_back();
        auto last = m_members.end();
        const auto before = [](const Member& a, const Member& b) { return a.first < b.first; };
        const auto after = [](const Member& a, const Member& b) { return b.first < a.first; };
        PropertyTree::Map::sequence_type members;
        // Written maps come sorted, and one pass proves their keys unique too; keys in
        // strictly descending order cost as little, taken from the back.
        if (std::adjacent_find(first, last, std::not_fn(before)) == last) {
            members.assign(std::make_move_iterator(first), std::make_move_iterator(last));
        } else if (std::adjacent_find(first, last, std::not_fn(after)) == last) {
            members.assign(std::make_move_iterator(std::make_reverse_iterator(last)),
                           std::make_move_iterator(std::make_reverse_iterator(first)));
        } else {
            std::stable_sort(first, last, before);
            // Backwards, unique keeps the last of each run of equal keys.
            const auto sameKey = [](const Member& a, const Member& b) { return a.first == b.first; };
            const auto kept = std::unique(std::make_reverse_iterator(last), std::make_reverse_iterator(first), sameKey);
            members.assign(std::make_move_iterator(kept.base()), std::make_move_iterator(last));
        }
        m_members.erase(first, m_members.end());
        PropertyTree::Map map;
        map.adopt_sequence(boost::container::ordered_unique_range, std::move(members));
        return map;
    }

    PropertyTree m_root;
    std::vector<Level> m_levels;
    std::vector<PropertyTree> m_elements;
    std::vector<Member> m_members;
    std::string m_error;
};

} // namespace

bool JsonCodec::TryParse(std::string_view text, PropertyTree& tree, std::string& error)
{
    if (text.size() > JsonCodec::MaxTextSize) {
        error = "larger than " + std::to_string(JsonCodec::MaxTextSize) + " bytes";
        return false;
    }
    // Some editors start UTF-8 files with a byte-order mark, which is not JSON.
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    const std::size_t skipped = text.substr(0, byteOrderMark.size()) == byteOrderMark ? byteOrderMark.size() : 0;
    text.remove_prefix(skipped);
    const std::optional<TextFault> fault = FindTextFault(text);
    std::string buffer(text);
    rapidjson::InsituStringStream stream(buffer.data());
    TreeBuilder builder;
    rapidjson::Reader reader;
    const rapidjson::ParseResult result = reader.Parse<kParseFlags>(stream, builder);
    // Of two faults the earlier is named; at one offset the grammar's, as for a binary file.
    if (fault && (!result.IsError() || fault->offset < result.Offset())) {
        error = "invalid JSON at byte offset " + std::to_string(skipped + fault->offset) + ": " + fault->reason;
        return false;
    }
    if (result.IsError()) {
        const std::string reason = result.Code() == rapidjson::kParseErrorTermination
                                       ? builder.Error()
                                       : std::string(rapidjson::GetParseError_En(result.Code()));
        error = "invalid JSON at byte offset " + std::to_string(skipped + result.Offset()) + ": " + reason;
        return false;
    }
    // The stream takes a NUL byte for the end of the text.
    if (stream.Tell() != text.size()) {
        error = "invalid JSON at byte offset " + std::to_string(skipped + stream.Tell()) + ": a NUL byte after the value";
        return false;
    }
    tree = builder.TakeRoot();
    return true;
}

namespace {

using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

bool WriteValue(Writer& writer, const PropertyTree& tree, int depth, JsonCodec::NonFinite nonFinite,
                std::string& error)
{
    if (depth > JsonCodec::MaxDepth) {
        error = "nesting deeper than " + std::to_string(JsonCodec::MaxDepth) + " levels";
        return false;
    }
    if (tree.isNull())
        return writer.Null();
    if (tree.isList()) {
        writer.StartArray();
        for (const PropertyTree& element : tree.getList())
            if (!WriteValue(writer, element, depth + 1, nonFinite, error))
                return false;
        return writer.EndArray();
    }
    if (!tree.isScalar()) {
        writer.StartObject();
        for (const auto& [key, value] : tree.getMap()) {
            writer.Key(key.data(), static_cast<rapidjson::SizeType>(key.size()));
            if (!WriteValue(writer, value, depth + 1, nonFinite, error))
                return false;
        }
        return writer.EndObject();
    }
    const PropertyTreeScalar& scalar = tree.getScalar();
    if (scalar.isString()) {
        const std::string_view text = scalar.toStringView();
        return writer.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
    }
    if (scalar.isBool())
        return writer.Bool(scalar.convertTo<bool>());
    if (!scalar.isDouble())
        return writer.Int64(scalar.toInt());
    const double value = scalar.toDouble();
    if (std::isfinite(value))
        return writer.Double(value);
    if (nonFinite == JsonCodec::NonFinite::AsTokens) {
        const std::string_view token = std::isnan(value) ? "NaN" : value > 0 ? "Infinity" : "-Infinity";
        return writer.RawValue(token.data(), token.size(), rapidjson::kNumberType);
    }
    error = "JSON cannot hold the number " + scalar.toString();
    return false;
}

} // namespace

bool JsonCodec::TrySerialize(const PropertyTree& tree, std::string& text, std::string& error, NonFinite nonFinite)
{
    rapidjson::StringBuffer buffer;
    Writer writer(buffer);
    writer.SetIndent(' ', 2);
    if (!WriteValue(writer, tree, 0, nonFinite, error))
        return false;
    text.assign(buffer.GetString(), buffer.GetSize());
    return true;
}

PropertyTree JsonCodec::Parse(std::string_view text, const std::string& origin)
{
    PropertyTree tree;
    std::string error;
    if (!TryParse(text, tree, error))
        TAVREL_THROW(BaseConfigError, origin + ": " + error);
    return tree;
}

std::string JsonCodec::Serialize(const PropertyTree& tree)
{
    std::string text;
    std::string error;
    if (!TrySerialize(tree, text, error))
        TAVREL_THROW(BaseConfigError, "cannot write JSON: " + error);
    return text;
}

} // namespace Tavrel::PhotoUtil
