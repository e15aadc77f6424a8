#pragma once

#include "Host/Effects/EffectPropertyAccess.h"
#include "Host/Effects/ISettingsEffect.h"

#include <memory>
#include <string>
#include <vector>

namespace Tavrel::PhotoCore {

/// One effect of a chain: a settings object plus the identifier under which
/// Find looks it up. Effects are held by std::shared_ptr and shared between
/// the lists that name them; Clone makes an independent copy.
class IEffectSettings {
public:
    using Ptr = std::shared_ptr<IEffectSettings>;
    using ConstPtr = std::shared_ptr<const IEffectSettings>;
    using List = std::vector<Ptr>;
    using ConstList = std::vector<ConstPtr>;

    virtual ~IEffectSettings() = default;

    /// The class identifier of the settings object (e.g. SettingsEffectMaskBlender::CLASS_ID).
    virtual const std::string& GetClassId() const = 0;
    /// The identifier Find uses; the class identifier unless set otherwise.
    virtual const std::string& GetId() const = 0;
    virtual void SetId(const std::string& id) = 0;

    virtual Ptr Clone() const = 0;

    virtual const ISettingsEffect& GetEffectSettings() const = 0;
    virtual ISettingsEffect& GetEffectSettingsRef() = 0;

    virtual std::unique_ptr<const EffectPropertyAccess> GetPropertyAccess() const = 0;
    virtual std::unique_ptr<EffectPropertyAccess> GetPropertyAccess() = 0;

    /// The first effect of the list whose GetId() equals id, or an empty pointer.
    static Ptr Find(const List& effects, const std::string& id);
    static ConstPtr Find(const ConstList& effects, const std::string& id);
    static ConstList ToConstList(const List& effects);
};

} // namespace Tavrel::PhotoCore
