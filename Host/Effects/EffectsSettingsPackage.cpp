#include "Host/Effects/EffectsSettingsPackage.h"

#include <tuple>

namespace Tavrel::PhotoCore {

bool EffectsSettingsPackage::operator==(const EffectsSettingsPackage& other) const
{
    const auto fields = [](const EffectsSettingsPackage& p) {
        return std::tie(p.m_packageName, p.m_presetName, p.resetIndex, p.presetGroupIndex, p.blendLevel,
                        p.sourceIndex, p.firstPaint, p.asyncPaint);
    };
    return fields(*this) == fields(other);
}

} // namespace Tavrel::PhotoCore
