#pragma once

#include "Host/Types/PropertyTree.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace Tavrel::PhotoUtil {

/// JSON text to PropertyTree and back.
///
/// JSON integers become 64-bit integer scalars, numbers with a fraction or an
/// exponent doubles, objects maps, arrays lists and null a null tree, so every
/// scalar form survives a round trip. Of a key repeated in one object the last
/// value wins. A UTF-8 byte-order mark before the text is skipped.
class JsonCodec {
public:
    /// Longer texts are refused before they are parsed.
    static constexpr std::size_t MaxTextSize = 64 * 1024 * 1024;
    /// Deeper nesting of objects and arrays is refused, on reading and on writing.
    static constexpr int MaxDepth = 512;

    /// Parses text into tree; on failure gives false and the reason in error
    /// ("invalid JSON at byte offset <n>: <why>", or the cap exceeded).
    static bool TryParse(std::string_view text, PropertyTree& tree, std::string& error);
    /// What to do with a number JSON cannot hold (NaN, infinities).
    enum class NonFinite {
        Refuse,
        AsTokens, ///< write NaN, Infinity, -Infinity: not JSON, but keeps what a person can recover
    };

    /// Indented JSON of tree; on failure (a number JSON cannot hold, nesting too
    /// deep) gives false and the reason in error.
    static bool TrySerialize(const PropertyTree& tree, std::string& text, std::string& error,
                             NonFinite nonFinite = NonFinite::Refuse);

    /// As TryParse, throwing BaseConfigError whose text starts with origin.
    static PropertyTree Parse(std::string_view text, const std::string& origin);
    /// As TrySerialize, throwing BaseConfigError.
    static std::string Serialize(const PropertyTree& tree);
};

} // namespace Tavrel::PhotoUtil
