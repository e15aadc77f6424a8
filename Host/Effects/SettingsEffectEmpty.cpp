#include "Host/Effects/SettingsEffectEmpty.h"

#include <stdexcept>

namespace Tavrel::PhotoCore {

const std::string SettingsEffectEmpty::CLASS_ID = "empty";

const std::string& SettingsEffectEmpty::GetClassId() const
{
    return CLASS_ID;
}

std::unique_ptr<ISettingsEffect> SettingsEffectEmpty::Clone() const
{
    return std::make_unique<SettingsEffectEmpty>(*this);
}

std::vector<std::string> SettingsEffectEmpty::GetPropertyNames() const
{
    return {};
}

PropertyTree SettingsEffectEmpty::GetProperty(const std::string& name) const
{
    throw std::invalid_argument("effect \"" + CLASS_ID + "\" has no property \"" + name + "\"");
}

void SettingsEffectEmpty::SetProperty(const std::string& name, const PropertyTree&)
{
    throw std::invalid_argument("effect \"" + CLASS_ID + "\" has no property \"" + name + "\"");
}

} // namespace Tavrel::PhotoCore
