#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EffectsPackageWithBrushSettings.h"
#include "Host/Effects/EffectsSettings.h"
#include "Host/Effects/InvokeEffectHelper.h"
#include "Host/Effects/Kinds/SettingsEffectExposure.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Effects/Kinds/SettingsEffectVignette.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace Tavrel;
using namespace Tavrel::PhotoCore;
using testing::HasSubstr;

namespace {

using Blender = EffectSettingsImpl<SettingsEffectMaskBlender, EffectsPackageWithBrushSettings>;

PropertyTree MapOf(std::initializer_list<PropertyTree::Map::value_type> entries)
{
    PropertyTree tree;
    tree.convertToMap();
    tree.getMap() = PropertyTree::Map(entries);
    return tree;
}

IEffectSettings::Ptr Exposure(double amount, const std::string& id = SettingsEffectExposure::CLASS_ID)
{
    auto effect = EffectSettingsImpl<SettingsEffectExposure>::Create(SettingsEffectExposure());
    effect->Settings().SetProperty("amount", PropertyTree(amount));
    effect->SetId(id);
    return effect;
}

std::shared_ptr<Blender> BlenderOf(const IEffectSettings::ConstList& inner)
{
    auto blender = Blender::Create(SettingsEffectMaskBlender());
    blender->Settings().SetEffectsImpl(inner, true);
    return blender;
}

std::string ThrownMessage(const PropertyTree& tree)
{
    try {
        EffectSettings::DeserializePtr(tree);
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
    return "no exception";
}

} // namespace

TEST(EffectSettingsSerialization, RoundTripKeepsKindIdAndParameters)
{
    auto vignette = EffectSettingsImpl<SettingsEffectVignette>::Create(SettingsEffectVignette());
    vignette->Settings().SetProperty("amount", PropertyTree(0.5));
    auto blender = BlenderOf({Exposure(1.5, "bright"), vignette});
    blender->Settings().SetLevel(40);
    blender->Settings().SetFillMask(true);
    blender->SetId("wrap");

    const PropertyTree tree = EffectSettings::SerializePtr(blender);
    EXPECT_EQ(tree.getMap().at("class").getScalar().toString(), "maskBlender");
    EXPECT_EQ(tree.getMap().at("id").getScalar().toString(), "wrap");
    const auto& inner = tree.getMap().at("effects").getList();
    ASSERT_EQ(inner.size(), 2u);
    EXPECT_EQ(inner[0].getMap().at("id").getScalar().toString(), "bright");
    EXPECT_EQ(inner[1].getMap().count("id"), 0u) << "an id equal to the class is left out";

    const auto restored = EffectSettings::DeserializePtr(tree);
    ASSERT_TRUE(std::dynamic_pointer_cast<EffectsPackageWithBrushSettings>(restored));
    EXPECT_EQ(restored->GetId(), "wrap");
    const auto& settings = dynamic_cast<const SettingsEffectMaskBlender&>(restored->GetEffectSettings());
    EXPECT_EQ(settings.GetLevel(), 40);
    EXPECT_TRUE(settings.GetFillMask());
    EXPECT_FALSE(settings.GetRenderInner());
    ASSERT_EQ(settings.GetEffects().size(), 2u);
    EXPECT_EQ(settings.GetEffects()[0]->GetId(), "bright");
    EXPECT_DOUBLE_EQ(InvokeEffectHelper::InvokeGet("amount", *settings.GetEffects()[0]), 1.5);
    EXPECT_EQ(settings.GetEffects()[1]->GetId(), "vignette");
    EXPECT_EQ(EffectSettings::SerializePtr(restored), tree);
}

TEST(EffectSettingsSerialization, BadInputNamesClassAndProperty)
{
    const auto exposure = [](const char* key, PropertyTree value) {
        return MapOf({{"class", PropertyTree("exposure")}, {key, std::move(value)}});
    };
    const auto blender = [](const char* key, PropertyTree value) {
        return MapOf({{"class", PropertyTree("maskBlender")}, {key, std::move(value)}});
    };
    PropertyTree nested;
    nested.convertToList();
    nested.getList().push_back(MapOf({{"class", PropertyTree("maskBlender")}}));
    const std::pair<PropertyTree, std::vector<const char*>> cases[] = {
        {MapOf({{"class", PropertyTree("sparkle")}}), {"sparkle"}},
        {MapOf({{"amount", PropertyTree(1.0)}}), {"\"class\""}},
        {MapOf({{"class", PropertyTree(3)}}), {"\"class\""}},
        {PropertyTree(PropertyTreeScalar("exposure")), {"map"}},
        {exposure("gain", PropertyTree(1)), {"exposure", "gain"}},
        {exposure("amount", PropertyTree("x")), {"exposure", "amount"}},
        {blender("fillMask", PropertyTree(1)), {"fillMask"}},
        {blender("sourceIndex", PropertyTree(-1)), {"sourceIndex"}},
        {blender("effects", nested), {"another mask blender"}},
    };
    for (const auto& [tree, parts] : cases)
        for (const char* part : parts)
            EXPECT_THAT(ThrownMessage(tree), HasSubstr(part));
}

TEST(EffectParameters, NumbersKeepTheFormWritten)
{
    auto vignette = EffectSettingsImpl<SettingsEffectVignette>::Create(SettingsEffectVignette());
    EXPECT_FALSE(vignette->GetPropertyAccess()->GetProperty("radius").getScalar().isDouble());

    vignette->GetPropertyAccess()->SetProperty("radius", PropertyTree(35.0));
    const auto copy = EffectSettings::DeserializePtr(EffectSettings::SerializePtr(vignette));
    EXPECT_TRUE(copy->GetPropertyAccess()->GetProperty("radius").getScalar().isDouble());
    EXPECT_EQ(vignette->Settings().Integer(SettingsEffectVignette::RADIUS), 35);

    vignette->GetPropertyAccess()->SetProperty("amount", PropertyTree(1));
    EXPECT_DOUBLE_EQ(vignette->Settings().Number(SettingsEffectVignette::AMOUNT), 1.0);
    EXPECT_THROW(vignette->GetPropertyAccess()->SetProperty("amount", PropertyTree(true)), std::invalid_argument);
    PropertyTree list;
    list.convertToList();
    EXPECT_THROW(vignette->GetPropertyAccess()->SetProperty("amount", list), std::invalid_argument);
    EXPECT_DOUBLE_EQ(vignette->Settings().Number(SettingsEffectVignette::AMOUNT), 1.0);
}

TEST(SettingsEffectMaskBlender, RefusesNullEffectsAndNestedBlendersAndKeepsItsEffects)
{
    SettingsEffectMaskBlender blender;
    blender.SetEffectsImpl({Exposure(1.0)}, true);
    const auto before = blender.GetEffects();
    EXPECT_THROW(blender.SetEffectsImpl({Exposure(2.0), nullptr}, true), std::invalid_argument);
    EXPECT_THROW(blender.SetEffectImpl(BlenderOf({}), true), std::invalid_argument);
    EXPECT_EQ(blender.GetEffects(), before);
}

TEST(EffectsSettingsSerialization, ListRoundTripsInOrderAndRefusesWhatIsNotAListOfEffects)
{
    EffectsSettings settings;
    settings.Effects() = {Exposure(0.5, "first"), BlenderOf({Exposure(1.0)}), Exposure(-1.0, "last")};
    const PropertyTree tree = settings.SerializeEffects();

    EffectsSettings again;
    again.Effects() = EffectsSettings::DeserializeEffects(tree);
    ASSERT_EQ(again.Effects().size(), 3u);
    EXPECT_EQ(again.Effects()[2]->GetId(), "last");
    EXPECT_EQ(again.SerializeEffects(), tree);

    PropertyTree badElement = tree;
    badElement.getList()[1] = MapOf({{"class", PropertyTree("sparkle")}});
    EXPECT_THROW(EffectsSettings::DeserializeEffects(badElement), std::invalid_argument);
    EXPECT_THROW(EffectsSettings::DeserializeEffects(tree.getList()[0]), std::invalid_argument);
    settings.Effects().push_back(nullptr);
    EXPECT_THROW(settings.SerializeEffects(), std::invalid_argument);
}

TEST(EffectSettingsRevision, MovesOnWithEveryChangeNestedOnesIncludedAndOnlyThen)
{
    const auto inner = Exposure(1.0);
    const auto blender = BlenderOf({inner});
    SettingsEffectMaskBlender& settings = blender->Settings();
    const auto property = [&blender](const char* name, PropertyTree value) {
        return [&blender, name, value] { blender->GetPropertyAccess()->SetProperty(name, value); };
    };
    const std::tuple<const char*, std::function<void()>, bool> cases[] = {
        {"inner parameter in place", [&] { InvokeEffectHelper::InvokeSet("amount", *inner, 1.5); }, true},
        {"same inner parameter", [&] { InvokeEffectHelper::InvokeSet("amount", *inner, 1.5); }, false},
        {"level", property("level", PropertyTree(30)), true},
        {"same level", [&] { settings.SetLevel(30); }, false},
        {"source index", property("sourceIndex", PropertyTree(2)), true},
        {"fill mask", [&] { settings.SetFillMask(true); }, true},
        {"render inner", property("renderInner", PropertyTree(true)), true},
        {"refused value", [&] { EXPECT_ANY_THROW(property("fillMask", PropertyTree(1))()); }, false},
        {"reads", [&] { EffectSettings::SerializePtr(blender); }, false},
        {"same inner effects", [&] { settings.SetEffectsImpl(settings.GetEffects(), true); }, false},
        {"inner effect replaced", [&] { settings.SetEffectImpl(Exposure(0.5), true); }, true},
        {"inner effects replaced", property("effects", EffectsSettings().SerializeEffects()), true},
    };
    for (const auto& [name, act, changes] : cases) {
        const std::uint64_t before = settings.GetRevision();
        act();
        EXPECT_EQ(settings.GetRevision() != before, changes) << name;
    }
    EXPECT_NE(blender->Clone()->GetEffectSettings().GetRevision(), settings.GetRevision());
}
