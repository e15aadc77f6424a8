#pragma once

namespace Tavrel::Tessel::ButtonColorProperty {

// Values of the "colorHint" property by which the style sheet colours the kit's buttons.
inline constexpr const char* LEVEL_ZERO_LINK = "levelZeroLink"; ///< text only, like a link
inline constexpr const char* LEVEL_ZERO = "levelZero";          ///< secondary
inline constexpr const char* LEVEL_ONE = "levelOne";            ///< primary, accented
inline constexpr const char* LEVEL_ZERO_CHIPS = "levelZeroChips"; ///< small round secondary icon button
inline constexpr const char* LEVEL_ONE_CHIPS = "levelOneChips";   ///< small round accented icon button
inline constexpr const char* DANGER = "danger";                  ///< destructive action

} // namespace Tavrel::Tessel::ButtonColorProperty
