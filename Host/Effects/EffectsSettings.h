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

    /// The effects, without the package part, as a list with one EffectSettings::SerializePtr
    /// map per effect, in order. An empty effect pointer throws std::invalid_argument.
    PropertyTree SerializeEffects() const;
    static PropertyTree SerializeEffects(const IEffectSettings::List& effects);
    static PropertyTree SerializeEffects(const IEffectSettings::ConstList& effects);
    /// The inverse: one effect per element, read by EffectSettings::DeserializePtr. A tree that is
    /// not a list, or an element that does not read, throws std::invalid_argument.
    static IEffectSettings::List DeserializeEffects(const PropertyTree& tree);

private:
    IEffectSettings::List m_effects;
    EffectsSettingsPackage m_package;
};

} // namespace Tavrel::PhotoCore
