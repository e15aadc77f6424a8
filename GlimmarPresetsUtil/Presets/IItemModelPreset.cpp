#include "GlimmarPresetsUtil/Presets/IItemModelPreset.h"

namespace Tavrel::Glimmar::GlimmarPresets {

IItemModelPreset::~IItemModelPreset() = default;

} // namespace Tavrel::Glimmar::GlimmarPresets
