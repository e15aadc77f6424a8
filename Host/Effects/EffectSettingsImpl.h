#pragma once

#include "Host/Effects/EffectSettings.h"

#include <memory>

namespace Tavrel::PhotoCore {

/// The settings object of an EffectSettingsImpl, a base made before the effect's own.
template <typename S>
struct HeldSettings {
    S m_held;
};

/// An effect of kind Base (EffectSettings or one of its subclasses) holding a
/// settings object of type S inside itself: one allocation per effect.
template <typename S, typename Base = EffectSettings>
class EffectSettingsImpl : private HeldSettings<S>, public Base {
public:
    explicit EffectSettingsImpl(const S& settings)
        : HeldSettings<S>{settings}
        , Base(static_cast<ISettingsEffect&>(this->m_held))
    {
    }
    EffectSettingsImpl(const EffectSettingsImpl& other)
        : HeldSettings<S>{other.m_held}
        , Base(other, static_cast<ISettingsEffect&>(this->m_held))
    {
    }
    EffectSettingsImpl& operator=(const EffectSettingsImpl&) = delete;

    static std::shared_ptr<EffectSettingsImpl> Create(const S& settings)
    {
        return std::make_shared<EffectSettingsImpl>(settings);
    }

    IEffectSettings::Ptr Clone() const override { return std::make_shared<EffectSettingsImpl>(*this); }

    const S& Settings() const { return this->m_held; }
    S& Settings() { return this->m_held; }
};

} // namespace Tavrel::PhotoCore
