#include "Host/Effects/EffectSettings.h"

#include "Host/Effects/EffectSettingsRegistry.h"

#include <boost/container/small_vector.hpp>

#include <algorithm>
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
    : m_owned(std::move(settings))
    , m_settings(m_owned.get())
{
    if (!m_settings)
        throw std::invalid_argument("EffectSettings needs a settings object");
    m_id = m_settings->GetClassId();
}

EffectSettings::EffectSettings(ISettingsEffect& settings)
    : m_settings(&settings)
    , m_id(settings.GetClassId())
{
}

EffectSettings::EffectSettings(const EffectSettings& other)
    : IEffectSettings(other)
    , m_owned(other.m_settings->Clone())
    , m_settings(m_owned.get())
    , m_id(other.m_id)
{
}

EffectSettings::EffectSettings(const EffectSettings& other, ISettingsEffect& settings)
    : IEffectSettings(other)
    , m_settings(&settings)
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
    const bool writeId = effect->GetId() != effect->GetClassId();
    // The keys are put in order first and each entry is made once in its place: sorting
    // the entries themselves would move their texts and trees around. Of a repeated key
    // the first wins: the class, then the id, then the properties in their order.
    boost::container::small_vector<std::pair<std::string_view, std::size_t>, 8> keys;
    keys.emplace_back(CLASS_KEY, 0);
    if (writeId)
        keys.emplace_back(ID_KEY, 1);
    for (std::size_t i = 0; i < names.size(); ++i)
        keys.emplace_back(names[i], i + 2);
    std::sort(keys.begin(), keys.end());
    const auto sameKey = [](const auto& a, const auto& b) { return a.first == b.first; };
    keys.erase(std::unique(keys.begin(), keys.end(), sameKey), keys.end());
    PropertyTree::Map::sequence_type entries;
    entries.reserve(keys.size());
    for (const auto& [key, order] : keys) {
        if (order >= 2)
            entries.emplace_back(key, settings.GetProperty(names[order - 2]));
        else
            entries.emplace_back(key, PropertyTree(order == 0 ? effect->GetClassId() : effect->GetId()));
    }
    PropertyTree tree;
    tree.convertToMap();
    tree.getMap().adopt_sequence(boost::container::ordered_unique_range, std::move(entries));
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
