#pragma once

#include "Host/Effects/IEffectSettings.h"

namespace Tavrel::PhotoCore {

/// The common effect: owns its settings object and its identifier.
///
/// Serialized form (SerializePtr / DeserializePtr): a map with "class" (the
/// class identifier), "id" (only when it differs from the class identifier) and
/// one key per property. Deserializing an unknown class, an unknown property or
/// a property of the wrong kind throws std::invalid_argument.
class EffectSettings : public IEffectSettings {
public:
    explicit EffectSettings(std::unique_ptr<ISettingsEffect> settings);
    EffectSettings(const EffectSettings& other);
    EffectSettings& operator=(const EffectSettings&) = delete;

    const std::string& GetClassId() const override;
    const std::string& GetId() const override;
    void SetId(const std::string& id) override;
    Ptr Clone() const override;
    const ISettingsEffect& GetEffectSettings() const override;
    ISettingsEffect& GetEffectSettingsRef() override;
    std::unique_ptr<const EffectPropertyAccess> GetPropertyAccess() const override;
    std::unique_ptr<EffectPropertyAccess> GetPropertyAccess() override;

    static PropertyTree SerializePtr(const ConstPtr& effect);
    static Ptr DeserializePtr(const PropertyTree& tree);

protected:
    /// For subclasses holding their settings object themselves (one allocation per effect):
    /// settings must be constructed before this base and outlive it.
    explicit EffectSettings(ISettingsEffect& settings);
    /// Copies other's identifier onto the subclass's copy of other's settings.
    EffectSettings(const EffectSettings& other, ISettingsEffect& settings);

private:
    std::unique_ptr<ISettingsEffect> m_owned; ///< empty when a subclass holds the settings
    ISettingsEffect* m_settings;
    std::string m_id;
};

} // namespace Tavrel::PhotoCore
