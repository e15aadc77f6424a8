#pragma once

#include <map>
#include <string>

namespace Tavrel::PhotoCore {

/// Receives the editor's usage events.
class IStatisticsEventHandler {
public:
    static constexpr const char* KEY_EFFECT_GROUP = "effect_group";
    static constexpr const char* KEY_EFFECT_NAME = "effect_name";
    static constexpr const char* KEY_USER_STYLE = "user_style";
    static constexpr const char* SUFFIX_CLICK = "_click";
    static constexpr const char* SUFFIX_APPLIED = "_applied";
    static constexpr const char* SUFFIX_RESETED = "_reseted";
    static constexpr const char* NAME_EFFECT_FAVORITES_ADDED = "effect_favorites_added";
    static constexpr const char* NAME_EFFECT_FAVORITES_REMOVED = "effect_favorites_removed";

    virtual ~IStatisticsEventHandler() = default;
    virtual void HandleEvent(const std::string& name, const std::map<std::string, std::string>& parameters) = 0;
};

} // namespace Tavrel::PhotoCore
