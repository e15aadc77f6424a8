#include "Host/Effects/EffectSettings.h"

#include "Host/Effects/EffectSettingsRegistry.h"

#include <stdexcept>
#include <string_view>

namespace Tavrel::PhotoCore {
namespace {

const std::string CLASS_KEY = "class";
const std::string ID_KEY = "id";

std::string_view TextOf(const PropertyTree& tree, const char* what)
{
    if (!tree.isScalar() || !tree.getScalar().isString())
        throw std::invalid_argument(std::string("serialized effect: ") + what + " must be a text");
    return tree.getScalar().toStringView();
}

} // namespace

EffectSettings::EffectSettings(std::unique_ptr<ISettingsEffect> settings)
    : m_settings(std::move(settings))
{
    if (!m_settings)
        throw std::invalid_argument("EffectSettings needs a settings object");
    m_id = m_settings->GetClassId();
}

EffectSettings::EffectSettings(const EffectSettings& other)
    : IEffectSettings(other)
    , m_settings(other.m_settings->Clone())
    , m_id(other.m_id)
{
}

const std::string& EffectSettings::GetClassId() const
{
    return m_settings->GetClassId();
}

const std::string& EffectSettings::GetId() const
{
    return m_id;
}

void EffectSettings::SetId(const std::string& id)
{
    m_id = id;
}

IEffectSettings::Ptr EffectSettings::Clone() const
{
    return std::make_shared<EffectSettings>(*this);
}

const ISettingsEffect& EffectSettings::GetEffectSettings() const
{
    return *m_settings;
}

ISettingsEffect& EffectSettings::GetEffectSettingsRef()
{
    return *m_settings;
}

std::unique_ptr<const EffectPropertyAccess> EffectSettings::GetPropertyAccess() const
{
    return std::make_unique<const EffectPropertyAccess>(static_cast<const ISettingsEffect&>(*m_settings));
}

std::unique_ptr<EffectPropertyAccess> EffectSettings::GetPropertyAccess()
{
    return std::make_unique<EffectPropertyAccess>(*m_settings);
}

PropertyTree EffectSettings::SerializePtr(const ConstPtr& effect)
{
    if (!effect)
        throw std::invalid_argument("cannot serialize an empty effect pointer");
    const ISettingsEffect& settings = effect->GetEffectSettings();
    const std::vector<std::string> names = settings.GetPropertyNames();
    // Collected first and adopted sorted: inserting key by key would shift the map's entries.
    PropertyTree::Map::sequence_type entries;
    entries.reserve(names.size() + 2);
    entries.emplace_back(CLASS_KEY, PropertyTree(effect->GetClassId()));
    if (effect->GetId() != effect->GetClassId())
        entries.emplace_back(ID_KEY, PropertyTree(effect->GetId()));
    for (const std::string& name : names)
        entries.emplace_back(name, settings.GetProperty(name));
    PropertyTree tree;
    tree.convertToMap();
    tree.getMap().adopt_sequence(std::move(entries));
    return tree;
}

IEffectSettings::Ptr EffectSettings::DeserializePtr(const PropertyTree& tree)
{
    if (tree.isNull() || tree.isScalar() || tree.isList())
        throw std::invalid_argument("serialized effect: expected a map");
    const auto& map = tree.getMap();
    const auto classIt = map.find(CLASS_KEY);
    if (classIt == map.end())
        throw std::invalid_argument("serialized effect: \"class\" is missing");
    Ptr effect = EffectSettingsRegistry::Create(TextOf(classIt->second, "\"class\""));
    ISettingsEffect& settings = effect->GetEffectSettingsRef();
    for (const auto& [key, value] : map) {
        if (key == CLASS_KEY)
            continue;
        if (key == ID_KEY)
            effect->SetId(std::string(TextOf(value, "\"id\"")));
        else
            settings.SetProperty(key, value);
    }
    return effect;
}

} // namespace Tavrel::PhotoCore
