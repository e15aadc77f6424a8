#pragma once

#include "Host/Effects/EffectsSettingsPackage.h"
#include "Host/Effects/IEffectSettings.h"

namespace Tavrel::PhotoCore {

/// A chain of effects with its package part: what the drawer renders as one
/// history entry. Copies share the effect objects; Clone copies them too.
class EffectsSettings {
public:
    IEffectSettings::List& Effects() { return m_effects; }
    const IEffectSettings::List& Effects() const { return m_effects; }
    IEffectSettings::ConstList EffectsConst() const;
    void SetEffectsConst(const IEffectSettings::ConstList& effects);

    EffectsSettingsPackage& Package() { return m_package; }
    const EffectsSettingsPackage& Package() const { return m_package; }

    /// True when it applies nothing: no effects, or only empty ones (SettingsEffectEmpty).
    bool IsReset() const;
    /// A copy whose effects are independent clones.
    EffectsSettings Clone() const;

private:
    IEffectSettings::List m_effects;
    EffectsSettingsPackage m_package;
};

} // namespace Tavrel::PhotoCore
