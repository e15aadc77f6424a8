#pragma once

#include <cstdint>

namespace Tavrel::PhotoCore {

/// The editor's tools; None (-1) names no tool.
enum class ToolsId : std::int32_t { None = -1, Adjustments = 0, Effects = 1 };

} // namespace Tavrel::PhotoCore
