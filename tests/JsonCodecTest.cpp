#include "Host/Types/BaseConfigError.h"
#include "Host/Types/JsonCodec.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

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
    };
    for (const Case& c : cases) {
        EXPECT_THAT([&] { JsonCodec::Parse(c.text, "origin.json"); },
                    ThrowsMessage<BaseConfigError>(AllOf(StartsWith("origin.json: "), HasSubstr(c.expected))))
            << c.text;
    }
    const std::string withNul("{}\0{}", 5);
    EXPECT_THROW(JsonCodec::Parse(withNul, "nul"), BaseConfigError);
}

TEST(JsonCodec, DepthIsCappedWithoutRecursion)
{
    EXPECT_NO_THROW(JsonCodec::Parse(Nested(JsonCodec::MaxDepth), "deep"));
    EXPECT_THAT([] { JsonCodec::Parse(Nested(JsonCodec::MaxDepth + 1), "deep"); },
                ThrowsMessage<BaseConfigError>(HasSubstr("nesting deeper")));
    // Far beyond any stack a recursive parser could use.
    EXPECT_THROW(JsonCodec::Parse(std::string(2'000'000, '['), "deeper"), BaseConfigError);
    EXPECT_THROW(JsonCodec::Parse(std::string(2'000'000, '{'), "deeper"), BaseConfigError);
}
