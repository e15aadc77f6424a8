#pragma once

#include "Host/Effects/IEffectSettings.h"
#include "Host/Effects/ISettingsEffect.h"

namespace Tavrel::PhotoCore {

/// Renders its inner effect chain and mixes the result with its input through
/// a mask. The level says how much of the input shows through: 0 shows the
/// inner chain fully, 255 the input only (values outside are clamped when rendered).
///
/// Two switches must both be on for the inner chain to show: the mask covers the
/// whole photo (otherwise it is empty) and the inner chain is rendered (otherwise
/// the blender passes its input through).
///
/// Properties: "level" (integer), "sourceIndex" (integer), "fillMask" (bool),
/// "renderInner" (bool) and "effects" (list of serialized effects).
class SettingsEffectMaskBlender : public ISettingsEffect {
public:
    static const std::string CLASS_ID;

    /// The blender that the effect holds, or null for an effect of another kind
    /// and for an empty pointer: the one test of "is this a mask blender?".
    static SettingsEffectMaskBlender* Of(IEffectSettings* effect);
    static const SettingsEffectMaskBlender* Of(const IEffectSettings* effect);

    SettingsEffectMaskBlender() = default;
    SettingsEffectMaskBlender(const SettingsEffectMaskBlender& other); // clones the inner effects
    SettingsEffectMaskBlender& operator=(const SettingsEffectMaskBlender& other);

    const std::string& GetClassId() const override;
    std::unique_ptr<ISettingsEffect> Clone() const override;
    std::vector<std::string> GetPropertyNames() const override;
    PropertyTree GetProperty(const std::string& name) const override;
    void SetProperty(const std::string& name, const PropertyTree& value) override;
    /// Also moves on when an inner effect changes in place.
    std::uint64_t GetRevision() const override;

    /// Replaces the inner chain. The effects are shared, not cloned. With
    /// validate, an empty pointer or a nested blender is refused with
    /// std::invalid_argument and the chain stays as it was.
    void SetEffectsImpl(const IEffectSettings::ConstList& effects, bool validate);
    /// Puts the effect in place of the inner effect with the same identifier,
    /// or appends it when there is none; validate as for SetEffectsImpl.
    void SetEffectImpl(const IEffectSettings::ConstPtr& effect, bool validate);
    const IEffectSettings::ConstList& GetEffects() const;

    int GetLevel() const;
    void SetLevel(int level);
    unsigned int GetSourceIndex() const;
    void SetSourceIndex(unsigned int sourceIndex);
    bool GetFillMask() const;
    void SetFillMask(bool fill);
    bool GetRenderInner() const;
    void SetRenderInner(bool render);

private:
    IEffectSettings::ConstList m_effects;
    int m_level = 0;
    unsigned int m_sourceIndex = 0xFFFFFFFFu;
    bool m_fillMask = false;
    bool m_renderInner = false;
};

} // namespace Tavrel::PhotoCore
