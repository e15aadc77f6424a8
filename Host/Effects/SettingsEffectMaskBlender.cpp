#include "Host/Effects/SettingsEffectMaskBlender.h"

#include "Host/Effects/EffectsSettings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace Tavrel::PhotoCore {
namespace {

const std::string LEVEL = "level";
const std::string SOURCE_INDEX = "sourceIndex";
const std::string FILL_MASK = "fillMask";
const std::string RENDER_INNER = "renderInner";
const std::string EFFECTS = "effects";

std::invalid_argument WrongKind(const std::string& name, const char* kind)
{
    return std::invalid_argument("effect \"" + SettingsEffectMaskBlender::CLASS_ID + "\": property \"" + name
                                 + "\" must be " + kind);
}

std::int64_t WholeNumber(const std::string& name, const PropertyTree& value, std::int64_t min, std::int64_t max)
{
    if (!value.isScalar() || value.getScalar().isBool() || value.getScalar().isString())
        throw WrongKind(name, "a number");
    const PropertyTreeScalar& scalar = value.getScalar();
    const double number = scalar.isDouble() ? std::round(scalar.toDouble()) : static_cast<double>(scalar.toInt());
    if (!(number >= static_cast<double>(min) && number <= static_cast<double>(max)))
        throw WrongKind(name, "a number in range");
    return scalar.isDouble() ? static_cast<std::int64_t>(number) : scalar.toInt();
}

bool Flag(const std::string& name, const PropertyTree& value)
{
    if (!value.isScalar() || !value.getScalar().isBool())
        throw WrongKind(name, "a bool");
    return value.getScalar().convertTo<bool>();
}

IEffectSettings::ConstList CloneAll(const IEffectSettings::ConstList& effects)
{
    IEffectSettings::ConstList clones;
    clones.reserve(effects.size());
    for (const auto& effect : effects)
        clones.push_back(effect ? effect->Clone() : nullptr);
    return clones;
}

void Validate(const IEffectSettings::ConstPtr& effect)
{
    if (!effect)
        throw std::invalid_argument("a mask blender cannot hold an empty effect pointer");
    if (SettingsEffectMaskBlender::Of(effect.get()))
        throw std::invalid_argument("a mask blender cannot hold another mask blender");
}

} // namespace

const std::string SettingsEffectMaskBlender::CLASS_ID = "maskBlender";

SettingsEffectMaskBlender* SettingsEffectMaskBlender::Of(IEffectSettings* effect)
{
    return effect ? dynamic_cast<SettingsEffectMaskBlender*>(&effect->GetEffectSettingsRef()) : nullptr;
}

const SettingsEffectMaskBlender* SettingsEffectMaskBlender::Of(const IEffectSettings* effect)
{
    return effect ? dynamic_cast<const SettingsEffectMaskBlender*>(&effect->GetEffectSettings()) : nullptr;
}

SettingsEffectMaskBlender::SettingsEffectMaskBlender(const SettingsEffectMaskBlender& other)
    : ISettingsEffect(other)
    , m_effects(CloneAll(other.m_effects))
    , m_level(other.m_level)
    , m_sourceIndex(other.m_sourceIndex)
    , m_fillMask(other.m_fillMask)
    , m_renderInner(other.m_renderInner)
{
}

SettingsEffectMaskBlender& SettingsEffectMaskBlender::operator=(const SettingsEffectMaskBlender& other)
{
    if (this != &other) {
        ISettingsEffect::operator=(other);
        m_effects = CloneAll(other.m_effects);
        m_level = other.m_level;
        m_sourceIndex = other.m_sourceIndex;
        m_fillMask = other.m_fillMask;
        m_renderInner = other.m_renderInner;
    }
    return *this;
}

const std::string& SettingsEffectMaskBlender::GetClassId() const
{
    return CLASS_ID;
}

std::unique_ptr<ISettingsEffect> SettingsEffectMaskBlender::Clone() const
{
    return std::make_unique<SettingsEffectMaskBlender>(*this);
}

std::vector<std::string> SettingsEffectMaskBlender::GetPropertyNames() const
{
    return {LEVEL, SOURCE_INDEX, FILL_MASK, RENDER_INNER, EFFECTS};
}

PropertyTree SettingsEffectMaskBlender::GetProperty(const std::string& name) const
{
    if (name == LEVEL)
        return PropertyTree(m_level);
    if (name == SOURCE_INDEX)
        return PropertyTree(m_sourceIndex);
    if (name == FILL_MASK)
        return PropertyTree(m_fillMask);
    if (name == RENDER_INNER)
        return PropertyTree(m_renderInner);
    if (name == EFFECTS)
        return EffectsSettings::SerializeEffects(m_effects);
    throw std::invalid_argument("effect \"" + CLASS_ID + "\" has no property \"" + name + "\"");
}

void SettingsEffectMaskBlender::SetProperty(const std::string& name, const PropertyTree& value)
{
    if (name == LEVEL) {
        SetLevel(static_cast<int>(
            WholeNumber(name, value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    } else if (name == SOURCE_INDEX) {
        SetSourceIndex(static_cast<unsigned int>(
            WholeNumber(name, value, 0, std::numeric_limits<unsigned int>::max())));
    } else if (name == FILL_MASK) {
        SetFillMask(Flag(name, value));
    } else if (name == RENDER_INNER) {
        SetRenderInner(Flag(name, value));
    } else if (name == EFFECTS) {
        if (!value.isList())
            throw WrongKind(name, "a list of effects");
        SetEffectsImpl(IEffectSettings::ToConstList(EffectsSettings::DeserializeEffects(value)), true);
    } else {
        throw std::invalid_argument("effect \"" + CLASS_ID + "\" has no property \"" + name + "\"");
    }
}

std::uint64_t SettingsEffectMaskBlender::GetRevision() const
{
    // Revisions only grow, so the newest of the blender's and its inner effects' tells any change.
    std::uint64_t revision = ISettingsEffect::GetRevision();
    for (const auto& effect : m_effects) {
        if (effect)
            revision = std::max(revision, effect->GetEffectSettings().GetRevision());
    }
    return revision;
}

void SettingsEffectMaskBlender::SetEffectsImpl(const IEffectSettings::ConstList& effects, bool validate)
{
    if (validate)
        std::for_each(effects.begin(), effects.end(), Validate);
    Assign(m_effects, effects);
}

void SettingsEffectMaskBlender::SetEffectImpl(const IEffectSettings::ConstPtr& effect, bool validate)
{
    if (validate)
        Validate(effect);
    const auto it = std::find_if(m_effects.begin(), m_effects.end(), [&effect](const IEffectSettings::ConstPtr& inner) {
        return inner && effect && inner->GetId() == effect->GetId();
    });
    if (it == m_effects.end()) {
        m_effects.push_back(effect);
        Changed();
    } else {
        Assign(*it, effect);
    }
}

const IEffectSettings::ConstList& SettingsEffectMaskBlender::GetEffects() const
{
    return m_effects;
}

int SettingsEffectMaskBlender::GetLevel() const
{
    return m_level;
}

void SettingsEffectMaskBlender::SetLevel(int level)
{
    Assign(m_level, level);
}

unsigned int SettingsEffectMaskBlender::GetSourceIndex() const
{
    return m_sourceIndex;
}

void SettingsEffectMaskBlender::SetSourceIndex(unsigned int sourceIndex)
{
    Assign(m_sourceIndex, sourceIndex);
}

bool SettingsEffectMaskBlender::GetFillMask() const
{
    return m_fillMask;
}

void SettingsEffectMaskBlender::SetFillMask(bool fill)
{
    Assign(m_fillMask, fill);
}

bool SettingsEffectMaskBlender::GetRenderInner() const
{
    return m_renderInner;
}

void SettingsEffectMaskBlender::SetRenderInner(bool render)
{
    Assign(m_renderInner, render);
}

} // namespace Tavrel::PhotoCore
