#pragma once

#include "Host/Effects/EffectSettings.h"

#include <memory>

namespace Tavrel::PhotoCore {

/// An effect of kind Base (EffectSettings or one of its subclasses) holding a
/// settings object of type S.
template <typename S, typename Base = EffectSettings>
class EffectSettingsImpl : public Base {
public:
    explicit EffectSettingsImpl(std::unique_ptr<ISettingsEffect> settings) : Base(std::move(settings)) {}

    static std::shared_ptr<EffectSettingsImpl> Create(const S& settings)
    {
        return std::make_shared<EffectSettingsImpl>(std::make_unique<S>(settings));
    }

    IEffectSettings::Ptr Clone() const override { return std::make_shared<EffectSettingsImpl>(*this); }

    const S& Settings() const { return static_cast<const S&>(*this->m_settings); }
    S& Settings() { return static_cast<S&>(*this->m_settings); }
};

} // namespace Tavrel::PhotoCore
