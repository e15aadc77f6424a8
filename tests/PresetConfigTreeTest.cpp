#include "GlimmarPresetsUtil/Settings/PresetConfigFields.h"
#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"

#include "Host/Types/JsonCodec.h"
#include "Host/Effects/EffectSettingsRegistry.h"
#include "Host/Effects/InvokeEffectHelper.h"
#include "tests/LogCapture.h"
#include "tests/PropertyTreePrinter.h"

#include <gtest/gtest.h>

using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::PropertyTreeScalar;
using Tavrel::PhotoCore::Color;
using Tavrel::PhotoCore::CropPolicy;
using Tavrel::PhotoCore::EffectPolicy;
using Tavrel::PhotoCore::EffectSettingsRegistry;
using Tavrel::PhotoCore::FitPolicy;
using Tavrel::PhotoUtil::JsonCodec;

namespace {

PropertyTree Json(const std::string& text) { return JsonCodec::Parse(text, "test"); }

PropertyTree Written(const Config& config)
{
    PropertyTree tree;
    WriteConfig(config, tree);
    return tree;
}

Config Read(const std::string& json)
{
    Config config;
    ReadConfig(config, Json(json), false);
    return config;
}

Item ReadItem(const std::string& json)
{
    Item item;
    ReadFields(item, Json(json).getMap(), TreeOptions{true, false});
    return item;
}

PropertyTree WrittenItem(const Item& item)
{
    PropertyTree tree;
    tree.convertToMap();
    WriteFields(item, tree.getMap(), TreeOptions{true, true});
    return tree;
}

// Every member differs from its default, so every key must survive.
Config FullConfig()
{
    Config config;
    Group group;
    group.m_statisticsName = "group stats";
    group.m_painterClassId = "painter";
    group.m_intensity.m_type = IntensityType::Blend;
    group.m_intensity.m_blendSetting = {10, 200, 150};
    group.m_sliderSetting.m_data = {0, 50, {{-1.5, 2.25, "exposure", "amount"}}};
    group.m_enabled = false;
    group.m_name = "Light";
    group.m_appstoreID.m_id = "store.light";
    group.m_isEditable = true;

    Item item;
    item.m_statisticsName = "item stats";
    item.m_painterClassId = "item painter";
    item.m_intensity.m_type = IntensityType::Custom;
    item.m_intensity.m_sliderSetting.m_data = {1, 100, {{0, 40, "contrast", "amount"}, {0, 1, "grain", "amount"}}};
    item.m_blendSetting = {1, 2, 3};
    item.m_effects = {EffectSettingsRegistry::Create("contrast"), EffectSettingsRegistry::Create("grain")};
    item.m_effectsPreview = {EffectSettingsRegistry::Create("saturation")};
    item.m_id = "id-1";
    item.m_name = "Crisp";
    item.m_imageName = "crisp.jpg";
    item.m_previewFilename = "crisp";
    item.m_downloadable = {{"texture-a", "texture-b"}, {ModelFileId::Denoise, ModelFileId::ToneMapping},
                           ResourceType::JsonCrc};
    item.m_previewPolicy.m_effectPolicy = EffectPolicy::ApplyNormal;
    item.m_previewPolicy.m_cropPolicy = CropPolicy::AfterEffect;
    item.m_previewPolicy.m_fitPolicy = FitPolicy::Fit;
    item.m_previewPolicy.m_fitPaddingColor = Color{{1, 2, 3, 4}};
    item.m_previewPolicy.m_applyWithMask = true;
    item.m_previewPolicy.m_splitColor = Color{{0xab, 0xcd, 0xef, 0x01}};
    item.m_wrapWithBlender = item.m_asyncPaint = item.m_isPopular = item.m_isFavorite = item.m_isUser = true;
    group.m_items = {item, Item{}};
    group.m_items[1].m_name = group.m_items[1].m_id = "Plain";
    config.m_groups = {group, Group{}};
    config.m_favorites = {"id-1", "Plain"};
    return config;
}

} // namespace

TEST(PresetConfigTree, FullConfigRoundTripsThroughTreeAndJson)
{
    const Config config = FullConfig();
    const PropertyTree tree = Written(config);
    const PropertyTree viaJson = Json(JsonCodec::Serialize(tree));
    EXPECT_EQ(viaJson, tree);

    Config read;
    ReadConfig(read, viaJson, false);
    EXPECT_EQ(Written(read), tree);

    ASSERT_EQ(read.m_groups[0].m_items[0].m_effects.size(), 2u);
    EXPECT_EQ(read.m_groups[0].m_items[0].m_effects[1]->GetClassId(), "grain");
    // Effects are new objects; everything else must compare equal.
    Config withoutEffects = config;
    for (Config* c : {&withoutEffects, &read})
        for (Item& item : c->m_groups[0].m_items) {
            item.m_effects.clear();
            item.m_effectsPreview.clear();
        }
    EXPECT_EQ(read, withoutEffects);
    EXPECT_EQ(read.m_groups[0].m_items[0].m_downloadable.m_models[1], ModelFileId::ToneMapping);

    const auto& groupMap = tree.getMap().at("groups").getList()[0].getMap();
    EXPECT_EQ(groupMap.count("blendSetting"), 0u) << "a group's blend setting is never written";
    EXPECT_EQ(tree.getMap().at("groups").getList()[1], Json("{}"));
}

TEST(PresetConfigTree, OnlyNonDefaultMembersAreWritten)
{
    EXPECT_EQ(Written(Config{}), Json("{}"));
    Item item;
    item.m_name = "Only name";
    EXPECT_EQ(WrittenItem(item), Json(R"({"name": "Only name"})"));

    item.m_intensity.m_sliderSetting.m_data.m_end = 50;
    EXPECT_EQ(WrittenItem(item),
              Json(R"({"name": "Only name", "intensity": {"sliderSetting": {"data": {"end": 50}}}})"));

    // Effect lists compare by pointer, so default effects are still written.
    Item withEffect;
    withEffect.m_effects = {EffectSettingsRegistry::Create("exposure")};
    EXPECT_EQ(WrittenItem(withEffect), Json(R"({"effects": [{"class": "exposure", "amount": 0.0}]})"));

    Item unnamed;
    unnamed.m_intensity.m_type = static_cast<IntensityType>(42);
    EXPECT_EQ(WrittenItem(unnamed), Json(R"({"intensity": {"type": ""}})"));
    unnamed.m_intensity.m_type = IntensityType::CustomAuto;
    EXPECT_EQ(WrittenItem(unnamed), Json(R"({"intensity": {"type": "CustomAuto"}})"));

    // An empty group inside a list is an empty map, not left out.
    Config config;
    config.m_groups.resize(1);
    EXPECT_EQ(Written(config), Json(R"({"groups": [{}]})"));
}

TEST(PresetConfigTree, ReadingNormalisesWhatIsWrittenBack)
{
    const std::pair<const char*, const char*> cases[] = {
        // Ids fall back to names.
        {R"({"groups": [{"items": [{"name": "N"}, {"id": "I"}, {}, {"id": "I2", "name": "N2"}]}]})",
         R"({"groups": [{"items": [{"id": "N", "name": "N"}, {"id": "I"}, {}, {"id": "I2", "name": "N2"}]}]})"},
        // Favourites collapse and are written in order.
        {R"({"favorites": ["b", "a", "b", "C"]})", R"({"favorites": ["C", "a", "b"]})"},
        // Lists that are not lists are left out; a group's blend setting is ignored.
        {R"({"groups": [{"items": {"name": "x"}}, {"items": [], "blendSetting": {"value": 3}}], "favorites": "a"})",
         R"({"groups": [{}, {}]})"},
        {R"({"groups": [{"items": [{"effectsPreview": "not a list"}]}]})", R"({"groups": [{"items": [{}]}]})"},
        // Unknown enumeration names and non-scalars take the fallback instead of failing.
        {R"({"groups": [{"items": [{"intensity": {"type": "Sharp"}, "downloadable": {"resourceType": "jsoncrc",
            "models": ["Denoise", "denoise", 3]}, "previewPolicy": {"cropPolicy": "Fit", "effectPolicy": {"a": 1}, "fitPolicy": "Fit"}}]}]})",
         R"({"groups": [{"items": [{"downloadable": {"models": ["Denoise", "Invalid", "Invalid"]},
            "previewPolicy": {"cropPolicy": "Disable", "effectPolicy": "Original", "fitPolicy": "Fit"}}]}]})"},
        // Effects keep their ids and the forms of their numbers; missing parameters are written.
        {R"({"groups": [{"items": [{"effects": [{"class": "vignette", "id": "v", "amount": 0.4, "radius": 60}, {"class": "exposure"}]}]}]})",
         R"({"groups": [{"items": [{"effects": [{"class": "vignette", "id": "v", "amount": 0.4, "radius": 60},
            {"class": "exposure", "amount": 0.0}]}]}]})"},
    };
    for (const auto& [json, expected] : cases)
        EXPECT_EQ(Written(Read(json)), Json(expected)) << json;
}

TEST(PresetConfigTree, ColoursAreHexadecimalChannelZeroFirst)
{
    struct Case {
        const char* text;
        Color expected;
    };
    const Case cases[] = {
        {"000000ff", Color{{0, 0, 0, 255}}}, {"fff", Color{{0, 0, 15, 255}}}, {"12345678", Color{{18, 52, 86, 120}}},
        {" 0xFFfe0001", Color{{255, 254, 0, 1}}}, {"ab zz", Color{{0, 0, 0, 0xab}}},
    };
    for (const Case& c : cases) {
        const Item item = ReadItem(std::string(R"({"previewPolicy": {"splitColor": ")") + c.text + "\"}}");
        EXPECT_EQ(item.m_previewPolicy.m_splitColor, c.expected) << c.text;
    }
    EXPECT_EQ(ReadItem(R"({"previewPolicy": {"splitColor": 12345678}})").m_previewPolicy.m_splitColor,
              (Color{{18, 52, 86, 120}}));

    Item item;
    item.m_previewPolicy.m_fitPaddingColor = Color{{0, 0, 0, 255}};
    item.m_previewPolicy.m_splitColor = Color{{18, 52, 86, 120}};
    EXPECT_EQ(WrittenItem(item), Json(R"({"previewPolicy": {"splitColor": "12345678"}})"));

    EXPECT_THROW(ReadItem(R"({"previewPolicy": {"splitColor": "zz"}})"), std::invalid_argument);
    EXPECT_THROW(ReadItem(R"({"previewPolicy": {"splitColor": ""}})"), std::invalid_argument);
    EXPECT_THROW(ReadItem(R"({"previewPolicy": {"splitColor": "100000000"}})"), std::out_of_range);
    EXPECT_THROW(ReadItem(R"({"previewPolicy": {"splitColor": "fffffffffffffffffffff"}})"), std::out_of_range);
}

// Wrong kinds where the reader does not check, and NaN or infinity where a decimal is expected.
TEST(PresetConfigTree, WrongKindsAndNumbersThatAreNotNumbersFail)
{
    std::vector<std::string> cases{R"({"groups": [{"name": ["x"]}]})", R"({"groups": [{"intensity": 3}]})",
                                   R"({"groups": [{"enabled": "perhaps"}]})", R"({"groups": [3]})", "[]"};
    for (const char* text : {"nan", "-nan", "inf", "-Infinity", "1e999"})
        cases.push_back(std::string(R"({"groups": [{"sliderSetting": {"data": {"variables": [{"begin": ")") + text +
                        R"("}]}}}]})");
    for (const std::string& json : cases) {
        Config config;
        EXPECT_THROW(ReadConfig(config, Json(json), false), std::exception) << json;
    }
    Config config;
    EXPECT_THROW(ReadConfig(config, PropertyTree(), false), std::exception);
    // Numbers are read as text, and texts as numbers where they parse.
    const Item item = ReadItem(R"({"name": 12, "isUser": "true", "intensity": {"blendSetting": {"value": "5"}}})");
    EXPECT_EQ(item.m_name, "12");
    EXPECT_TRUE(item.m_isUser);
    EXPECT_EQ(item.m_intensity.m_blendSetting.m_value, 5);
}

TEST(PresetConfigTree, OptionalConfigKeepsWhatWasReadBeforeAFailure)
{
    Config config;
    config.m_favorites = {"kept"};
    LogCapture log;
    ReadConfig(config, PropertyTree(), true);
    EXPECT_EQ(config.m_favorites, (std::set<std::string>{"kept"}));
    EXPECT_TRUE(log.Warnings().empty());

    const std::string damaged = R"({"favorites": ["x"], "groups": [
        {"items": [{"name": "One"}]}, {"name": "Two"}, {"name": {"bad": 1}}, {"name": "Four"}]})";
    ReadConfig(config, Json(damaged), true);
    ASSERT_EQ(config.m_groups.size(), 2u);
    EXPECT_EQ(config.m_groups[0].m_items[0].m_id, "One");
    EXPECT_EQ(config.m_groups[1].m_name, "Two");
    EXPECT_EQ(config.m_favorites, (std::set<std::string>{"kept"})) << "favorites come after groups";
    const auto warnings = log.Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("failed to read optional config:PropertyTree: expected a scalar", 0), 0u) << warnings[0];

    Config strict;
    EXPECT_THROW(ReadConfig(strict, Json(damaged), false), Tavrel::PropertyTreeError);
}

TEST(PresetConfigTree, AnUnknownEffectFailsItsWholeGroup)
{
    Config config;
    LogCapture log;
    ReadConfig(config, Json(R"({"groups": [{"items": [{"name": "A", "effects": [{"class": "exposure"}, {"class": "nope"}]}]}]})"),
               true);
    EXPECT_TRUE(config.m_groups.empty()) << "the group failed before it was appended";
    EXPECT_EQ(log.Warnings().size(), 1u);
}
