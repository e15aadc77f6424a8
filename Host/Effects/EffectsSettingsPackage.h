#pragma once

#include <string>

namespace Tavrel::PhotoCore {

/// The package part of an EffectsSettings: which preset package produced it
/// and how the drawer places and mixes it.
class EffectsSettingsPackage {
public:
    static constexpr unsigned int NO_INDEX = 0xFFFFFFFFu;

    const std::string& GetPackageName() const { return m_packageName; }
    void SetPackageName(const std::string& name) { m_packageName = name; }
    const std::string& GetPresetName() const { return m_presetName; }
    void SetPresetName(const std::string& name) { m_presetName = name; }

    /// History position the entry replaces everything after; NO_INDEX: append at the current position.
    unsigned int resetIndex = NO_INDEX;
    /// Selector position of the preset's group; -1: none.
    int presetGroupIndex = -1;
    /// How much of the input shows through the result: 0 none, 255 all.
    int blendLevel = 0;
    /// History position of the frame a blender mixes with; set by the drawer.
    unsigned int sourceIndex = NO_INDEX;
    /// The entry starts a new paint (cleared for presets, which may replace their predecessor).
    bool firstPaint = true;
    /// The effects may be rendered after the entry is recorded, without blocking the caller.
    bool asyncPaint = false;

    bool operator==(const EffectsSettingsPackage& other) const;
    bool operator!=(const EffectsSettingsPackage& other) const { return !(*this == other); }

private:
    std::string m_packageName;
    std::string m_presetName;
};

} // namespace Tavrel::PhotoCore
