#pragma once

#include <memory>
#include <string>

namespace Tavrel::PhotoCore {

/// Settings of a drawer painter: how a temporary paint turns into a history entry.
class ISettingsPainter {
public:
    virtual ~ISettingsPainter() = default;
    virtual const std::string& GetClassId() const = 0;

    /// Painter settings of the given painter class: SettingsPainterOneInputEffectStub
    /// for its id, SettingsPainterEffectsPackage for its own id and for any other.
    static std::shared_ptr<ISettingsPainter> CreatePainterSettings(const std::string& painterClassId);
};

} // namespace Tavrel::PhotoCore
