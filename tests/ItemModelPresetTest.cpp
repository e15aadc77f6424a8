#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/BlendingSetting.h"
#include "Host/ModelFile.h"
#include "Host/SettingsEffectMaskBlender.h"
#include "TestEffect.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

using Tavrel::PropertyTreeScalar;
using Tavrel::ResourceId;
using Tavrel::TranslatableContext;
using Tavrel::Glimmar::GlimmarPresets::ItemModelPreset;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::IEffectSettings;
using Tavrel::PhotoCore::SettingsEffectMaskBlender;
using Tavrel::Proc::Neural::ModelFileId;
namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;

namespace {

const TranslatableContext CONTEXT("ItemModelPresetTest");

IEffectSettings::Ptr Tone(const std::string& id, double amount)
{
    return MakeEffect("tone", {{"amount", PropertyTreeScalar(amount)}}, id);
}

PresetConfig::Item CustomItem(IEffectSettings::List effects)
{
    PresetConfig::Item item;
    item.m_id = "warm";
    item.m_name = "Warm";
    item.m_effects = std::move(effects);
    item.m_intensity.m_type = PresetConfig::IntensityType::Custom;
    item.m_intensity.m_sliderSetting.m_data = {0, 100, {{0.0, 1.0, "a", "amount"}}};
    return item;
}

const SettingsEffectMaskBlender& BlenderOf(const EffectsSettings& settings)
{
    return dynamic_cast<const SettingsEffectMaskBlender&>(settings.Effects().front()->GetEffectSettings());
}

} // namespace

TEST(ItemModelPresetTest, EffectsPreviewEffectsAndRecordShareEffectObjects)
{
    const IEffectSettings::Ptr a = Tone("a", 0.3);
    const IEffectSettings::Ptr b = Tone("b", 0.9);
    ItemModelPreset preset(CustomItem({a, b}), &CONTEXT, "");
    EXPECT_EQ(preset.GetIntensitySettings().Value(), 30);
    EXPECT_EQ(preset.GetPreviewEffectSettings().Effects(), (IEffectSettings::List{a, b}));

    preset.SetIntensity(80);
    const EffectsSettings applied = preset.GetIntensitySettings().ApplyIntensityToEffects(preset.GetEffectInfoInternal(), 0);
    ASSERT_EQ(applied.Effects(), IEffectSettings::List{a});

    PresetConfig::Item record;
    preset.Serialize(record);
    EXPECT_DOUBLE_EQ(Number(*preset.GetEffectInfo()[0], "amount"), 0.8);
    EXPECT_DOUBLE_EQ(Number(*preset.GetPreviewEffectSettings().Effects()[0], "amount"), 0.8);
    EXPECT_DOUBLE_EQ(Number(*record.m_effects[0], "amount"), 0.8);

    preset.SetIntensity(10);
    preset.ResetSettingsValues();
    EXPECT_EQ(preset.GetIntensitySettings().Value(), 80);

    EffectsSettings other;
    other.Effects() = {Tone("a", 0.55)};
    preset.LoadIntensity(other);
    EXPECT_EQ(preset.GetIntensitySettings().Value(), 55);
}

TEST(ItemModelPresetTest, ConfiguredPreviewChainIsUsedWhenGiven)
{
    PresetConfig::Item item = CustomItem({Tone("a", 0.3)});
    item.m_effectsPreview = {Tone("p", 1.0)};
    const ItemModelPreset preset(item, &CONTEXT, "");
    EXPECT_EQ(preset.GetPreviewEffectSettings().Effects(), item.m_effectsPreview);
    EXPECT_EQ(preset.GetEffectSettings().Effects(), item.m_effects);
}

TEST(ItemModelPresetTest, WrappedPresetHoldsOneBlenderAroundTheChain)
{
    PresetConfig::Item item = CustomItem({Tone("a", 0.3), Tone("b", 0.9)});
    item.m_intensity.m_type = PresetConfig::IntensityType::Blend;
    item.m_intensity.m_blendSetting = {0, 127, 100};
    item.m_wrapWithBlender = true;
    const ItemModelPreset preset(item, &CONTEXT, "");

    const EffectsSettings& effects = preset.GetEffectSettings();
    ASSERT_EQ(effects.Effects().size(), 1u);
    const SettingsEffectMaskBlender& blender = BlenderOf(effects);
    EXPECT_EQ(blender.GetEffects(), IEffectSettings::ToConstList(item.m_effects));
    EXPECT_TRUE(blender.GetFillMask());
    EXPECT_TRUE(blender.GetRenderInner());
    EXPECT_EQ(blender.GetLevel(), 0); // the configured value 100 at the top of the slider
    EXPECT_EQ(preset.GetPreviewEffectSettings().Effects(), item.m_effects);

    PresetConfig::Item record;
    preset.Serialize(record);
    EXPECT_EQ(record.m_effects, item.m_effects);
}

TEST(ItemModelPresetTest, WrappingKeepsThePackageAndTheSource)
{
    EffectsSettings settings;
    settings.Effects() = {Tone("a", 0.3)};
    settings.Package().SetPackageName("pkg");
    settings.Package().blendLevel = 12;

    const EffectsSettings wrapped = ItemModelPreset::WrapSettingsWithBlender(settings);

    EXPECT_EQ(wrapped.Package(), settings.Package());
    ASSERT_EQ(settings.Effects().size(), 1u);
    EXPECT_EQ(BlenderOf(wrapped).GetEffects().front(), settings.Effects().front());
    EXPECT_EQ(settings.Effects().front()->GetClassId(), "tone");
}

TEST(ItemModelPresetTest, IntensityKindFollowsTheConfiguredType)
{
    PresetConfig::Item item = CustomItem({Tone("a", 0.3)});
    for (const auto type : {PresetConfig::IntensityType::None, PresetConfig::IntensityType::Invalid}) {
        item.m_intensity.m_type = type;
        const ItemModelPreset preset(item, &CONTEXT, "");
        EXPECT_FALSE(preset.GetIntensitySettings().IsEnabled());
    }

    item.m_intensity.m_type = PresetConfig::IntensityType::CustomAuto;
    item.m_wrapWithBlender = true;
    const ItemModelPreset automatic(item, &CONTEXT, "");
    EXPECT_TRUE(automatic.GetIntensitySettings().IsEnabled());
    EXPECT_EQ(automatic.GetIntensitySettings().Value(), 100);
    EXPECT_EQ(automatic.GetIntensitySettings().Max(), 100);

    item = CustomItem({Tone("b", 0.3)});
    try {
        ItemModelPreset broken(item, &CONTEXT, "");
        FAIL() << "built without the slider's effect";
    } catch (const std::invalid_argument& error) {
        EXPECT_EQ(FirstLine(error), "Slider Setting(effectID: a, parameter: amount) can't be obtained from effects list!");
    }
}

TEST(ItemModelPresetTest, PreviewFileNameRules)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(folder.filePath("x.png")));
    ASSERT_TRUE(image.save(folder.filePath("y.jpg")));
    ASSERT_TRUE(image.save(folder.filePath("z.png")));
    ASSERT_TRUE(QFile::rename(folder.filePath("z.png"), folder.filePath("z")));

    const auto previewOf = [&](const std::string& fileName, const std::string& previewFolder) {
        PresetConfig::Item item;
        item.m_previewFilename = fileName;
        return ItemModelPreset(item, &CONTEXT, previewFolder).GetPreview();
    };
    const std::string path = folder.path().toStdString();
    EXPECT_EQ(previewOf("x", path).size(), QSize(4, 3));
    EXPECT_EQ(previewOf("y.jpg", path).size(), QSize(4, 3));
    EXPECT_TRUE(previewOf("z", path).isNull()); // "z" means z.png, which is missing
    EXPECT_TRUE(previewOf("missing.png", path).isNull());
    EXPECT_TRUE(previewOf("x", "").isNull());
}

TEST(ItemModelPresetTest, NameAndFavouriteReachTheRecord)
{
    ItemModelPreset preset(CustomItem({Tone("a", 0.3)}), &CONTEXT, "");
    preset.SetName("Autumn");
    preset.SetFavourite(true);
    EXPECT_EQ(preset.GetName().getUntranslated(), "Autumn");
    EXPECT_STREQ(preset.GetName().getContext().getContext(), CONTEXT.getContext());

    PresetConfig::Item record;
    preset.Serialize(record);
    EXPECT_EQ(record.m_name, "Autumn");
    EXPECT_TRUE(record.m_isFavorite);
    EXPECT_EQ(record.m_id, "warm");
}

TEST(ItemModelPresetTest, DownloadableResourcesOrderedByTypeThenName)
{
    PresetConfig::Item item;
    item.m_downloadable.m_resources = {"b", "a", "b"};
    item.m_downloadable.m_models = {ModelFileId::Denoise};
    item.m_downloadable.m_resourceType = PresetConfig::ResourceType::EffectTexture;
    const ItemModelPreset preset(item, &CONTEXT, "");
    const std::set<ResourceId> resources = preset.GetDownloadableResources();
    const std::vector<ResourceId> expected{
        {1, Tavrel::Proc::Neural::ModelFile::GetBaseName(ModelFileId::Denoise)}, {3, "a"}, {3, "b"}};
    EXPECT_EQ(std::vector<ResourceId>(resources.begin(), resources.end()), expected);
    EXPECT_TRUE(preset.IsDownloadable());

    item.m_downloadable.m_resources.clear();
    item.m_downloadable.m_resourceType = PresetConfig::ResourceType::Invalid;
    const ItemModelPreset modelsOnly(item, &CONTEXT, "");
    EXPECT_FALSE(modelsOnly.IsDownloadable());
    EXPECT_EQ(modelsOnly.GetDownloadableResources().size(), 1u);
}

TEST(ItemModelPresetTest, UserPresetsTakeCommonSettingsAndGetNewIds)
{
    PresetConfig::CommonSettings common;
    common.m_statisticsName = "Looks";
    common.m_painterClassId = "painter";
    common.m_intensity.m_type = PresetConfig::IntensityType::Blend;
    common.m_intensity.m_blendSetting = {0, 127, 1};
    common.m_blendSetting = {5, 6, 7};
    EffectsSettings current;
    current.Effects() = {Tone("a", 0.3)};

    ItemModelPreset first("Mine", &CONTEXT, common, current, true);
    const ItemModelPreset second("Mine", &CONTEXT, common, current, false);

    EXPECT_NE(first.GetId(), second.GetId());
    EXPECT_FALSE(first.GetId().empty());
    EXPECT_TRUE(first.IsUserPreset());
    EXPECT_TRUE(first.GetPreview().isNull());
    EXPECT_EQ(first.GetStatisticsName(), "Looks");
    EXPECT_EQ(first.GetPainterClassId(), "painter");

    PresetConfig::Item record;
    first.Serialize(record);
    EXPECT_EQ(record.m_intensity, common.m_intensity);
    EXPECT_EQ(record.m_blendSetting, PresetConfig::IntensityBlendSetting());
    EXPECT_EQ(record.m_effects, current.Effects());
    EXPECT_EQ(record.m_effectsPreview, current.Effects());
    EXPECT_TRUE(record.m_wrapWithBlender);

    // Wrapped: the blender carries the level; unwrapped: the package does.
    EXPECT_EQ(BlenderOf(first.GetEffectSettings()).GetLevel(), 127);
    EXPECT_EQ(first.GetPreviewEffectSettings().Effects(), current.Effects());
    EXPECT_EQ(second.GetEffectSettings().Effects(), current.Effects());
    EXPECT_EQ(second.GetEffectSettings().Package().blendLevel, 127);
    EXPECT_EQ(current.Package().blendLevel, 0);
}
