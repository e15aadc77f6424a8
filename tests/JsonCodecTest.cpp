#include "Host/Types/BaseConfigError.h"
#include "Host/Types/JsonCodec.h"
#include "tests/PropertyTreePrinter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

using Tavrel::PropertyTree;
using Tavrel::PropertyTreeScalar;
using Tavrel::PhotoUtil::BaseConfigError;
using Tavrel::PhotoUtil::JsonCodec;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;

namespace {

std::string Nested(int depth)
{
    return std::string(static_cast<std::size_t>(depth), '[') + std::string(static_cast<std::size_t>(depth), ']');
}

} // namespace

TEST(JsonCodec, ErrorsNameOriginOffsetAndReason)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"{\"a\": tru}", "byte offset 9: Invalid value"},
        {"", "empty"},
        {"[1] [2]", "root must not be followed"},
        {"18446744073709551615", "does not fit 64 bits"},
        {"-9223372036854775809", "does not fit 64 bits"},
        {"123456789012345678901234567890", "does not fit 64 bits"},
        {"1e400", "Number too big"},
        {"{\"a\": \"unterminated}", "Missing a closing quotation mark"},
        {R"({"a": "\ude00"})", "a \\u escape names a lone surrogate"},
        {R"({"\udc00": 1})", "lone surrogate"},
        {R"({"a": "ab\"\udc00"})", "lone surrogate"},
        {"[\"\xED\xA0\x80\"]", "byte offset 2: Invalid encoding"},
    };
    for (const Case& c : cases) {
        EXPECT_THAT([&] { JsonCodec::Parse(c.text, "origin.json"); },
                    ThrowsMessage<BaseConfigError>(AllOf(StartsWith("origin.json: "), HasSubstr(c.expected))))
            << c.text;
    }
    const std::string withNul("{}\0{}", 5);
    EXPECT_THROW(JsonCodec::Parse(withNul, "nul"), BaseConfigError);
}

TEST(JsonCodec, EscapesDecodeToTheirCharacters)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"(["\\udc00"])", "\\udc00"},
        {R"(["\ud83d\ude00 \u00e9"])", "\xF0\x9F\x98\x80 \xC3\xA9"},
        {R"(["a\"b\n"])", "a\"b\n"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(JsonCodec::Parse(text, "escapes").getList().at(0).getScalar().toString(), expected) << text;
}

TEST(JsonCodec, DepthIsCappedBeforeTheStackRunsOut)
{
    EXPECT_NO_THROW(JsonCodec::Parse(Nested(JsonCodec::MaxDepth), "deep"));
    EXPECT_THAT([] { JsonCodec::Parse(Nested(JsonCodec::MaxDepth + 1), "deep"); },
                ThrowsMessage<BaseConfigError>(HasSubstr("nesting deeper")));
    // Refused at the cap, long before the reader's recursion could exhaust the stack.
    EXPECT_THROW(JsonCodec::Parse(std::string(2'000'000, '['), "deeper"), BaseConfigError);
    EXPECT_THROW(JsonCodec::Parse(std::string(2'000'000, '{'), "deeper"), BaseConfigError);
}

// Putting each key into the sorted map as it came shifted the keys after it: 100,000 keys
// in descending order took over a minute to read, and this many would take minutes.
TEST(JsonCodec, KeysOutOfOrderDoNotMakeReadingQuadratic)
{
    constexpr int keys = 100'000;
    std::string text = "{";
    for (int i = keys; i > 0; --i) {
        std::string key = std::to_string(i);
        key.insert(0, 6 - key.size(), '0');
        text += "\"" + key + "\": " + std::to_string(i) + (i > 1 ? ", " : "}");
    }
    const PropertyTree tree = JsonCodec::Parse(text, "keys");
    const PropertyTree::Map& map = tree.getMap();
    ASSERT_EQ(map.size(), static_cast<std::size_t>(keys));
    EXPECT_EQ(map.begin()->first, "000001");
    EXPECT_EQ(map.at("054321"), PropertyTree(PropertyTreeScalar(54321)));
}

TEST(JsonCodec, OfARepeatedKeyTheLastValueWins)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"({"k": 1, "k": 2})", R"({"k": 2})"},
        {R"({"b": 1, "a": 2, "b": 3})", R"({"a": 2, "b": 3})"},
        {R"({"c": 1, "b": 2, "b": 3, "a": 4})", R"({"a": 4, "b": 3, "c": 1})"},
        {R"({"b": {"x": 1}, "c": 0, "b": [2], "a": {"b": 1, "b": {}}, "b": {"y": 3}})",
         R"({"a": {"b": {}}, "b": {"y": 3}, "c": 0})"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(JsonCodec::Parse(text, "repeated"), JsonCodec::Parse(expected, "expected")) << text;
}
