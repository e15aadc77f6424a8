#include "EffectTestHelpers.h"
#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Types/BaseConfig.h"

#include "tests/BadImages.h"
#include "tests/PropertyTreePrinter.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

using Tavrel::TranslatableContext;
using Tavrel::Glimmar::GlimmarPresets::ItemModelPreset;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::IEffectSettings;
using Tavrel::PhotoUtil::BaseConfig;
namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;

namespace {

const TranslatableContext CONTEXT("ItemModelPresetTest");

IEffectSettings::Ptr Saturation(const std::string& id, double amount)
{
    return MakeEffect("saturation", {{"amount", amount}}, id);
}

// Slider 0..100 drives a's amount 0..100.
PresetConfig::Item CustomItem(IEffectSettings::List effects)
{
    PresetConfig::Item item;
    item.m_id = "warm";
    item.m_effects = std::move(effects);
    item.m_intensity.m_type = PresetConfig::IntensityType::Custom;
    item.m_intensity.m_sliderSetting.m_data = {0, 100, {{0.0, 100.0, "a", "amount"}}};
    return item;
}

} // namespace

TEST(ItemModelPresetTest, IntensityChangesAreSeenThroughEveryViewOfTheEffects)
{
    const IEffectSettings::Ptr a = Saturation("a", 30);
    ItemModelPreset preset(CustomItem({a, Saturation("b", 90)}), &CONTEXT, "");
    EXPECT_EQ(preset.GetIntensitySettings().Value(), 30);

    preset.SetIntensity(80);
    const EffectsSettings applied = preset.GetIntensitySettings().ApplyIntensityToEffects(preset.GetEffectInfoInternal(), 0);
    EXPECT_EQ(applied.Effects(), IEffectSettings::List{a});
    PresetConfig::Item record;
    preset.Serialize(record);
    for (const auto& effect : {preset.GetEffectInfo()[0], IEffectSettings::ConstPtr(preset.GetPreviewEffectSettings().Effects()[0]),
                               IEffectSettings::ConstPtr(record.m_effects[0])})
        EXPECT_EQ(Param(*effect, "amount").toDouble(), 80.0);

    preset.SetIntensity(10);
    preset.ResetSettingsValues();
    EXPECT_EQ(preset.GetIntensitySettings().Value(), 80);

    PresetConfig::Item withPreview = CustomItem({a});
    withPreview.m_effectsPreview = {Saturation("p", 1)};
    EXPECT_EQ(ItemModelPreset(withPreview, &CONTEXT, "").GetPreviewEffectSettings().Effects(), withPreview.m_effectsPreview);
}

class SampleConfiguration : public testing::TestWithParam<const char*> {};

// Shipped presets that name a missing effect in their slider, whose intensity a typo
// turns off, or whose preview picture is not shipped, fail here rather than in front of a user.
TEST_P(SampleConfiguration, RoundTripsToTheSameTreeAndItsPresetsBuildWithTheirIntensity)
{
    const Tavrel::PropertyTree tree = BaseConfig().Read(BaseConfig::ResourcePath("GlimmarDemo", GetParam(), "configs"));
    PresetConfig::Config sample;
    PresetConfig::ReadConfig(sample, tree, false);
    Tavrel::PropertyTree written;
    PresetConfig::WriteConfig(sample, written);
    EXPECT_EQ(written, tree);
    for (const PresetConfig::Group& group : sample.m_groups) {
        for (PresetConfig::Item item : group.m_items) {
            SCOPED_TRACE(item.m_id);
            // As the group model hands a group's intensity down.
            if (item.m_intensity.m_type == PresetConfig::IntensityType::Invalid)
                item.m_intensity = group.m_intensity;
            const auto type = item.m_intensity.m_type;
            // In the folder the demo's panels give.
            const ItemModelPreset preset(item, &CONTEXT, std::string(":/previews/") + GetParam());
            EXPECT_EQ(preset.GetIntensitySettings().IsEnabled(),
                      type != PresetConfig::IntensityType::None && type != PresetConfig::IntensityType::Invalid);
            EXPECT_EQ(preset.GetPreview().isNull(), item.m_previewFilename.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ItemModelPresetTest, SampleConfiguration, testing::Values("effects", "looks"));

// Without an extension the name is a PNG file's; a file that cannot be shown leaves the rendered preview.
TEST(ItemModelPresetTest, PreviewFileIsFoundByNameOrLeftToTheRenderer)
{
    QTemporaryDir folder;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(folder.filePath("x.png")) && image.save(folder.filePath("y.jpg")));
    ASSERT_TRUE(image.save(folder.filePath("z"), "PNG"));
    const auto previewOf = [](const std::string& fileName, const QString& previewFolder) {
        PresetConfig::Item item;
        item.m_previewFilename = fileName;
        return ItemModelPreset(item, &CONTEXT, previewFolder.toStdString()).GetPreview();
    };
    EXPECT_EQ(previewOf("x", folder.path()).size(), QSize(4, 3));
    EXPECT_EQ(previewOf("y.jpg", folder.path()).size(), QSize(4, 3));
    EXPECT_TRUE(previewOf("z", folder.path()).isNull());
    EXPECT_TRUE(previewOf("x", "").isNull());

    const BadImages images(folder.path());
    for (const BadImages::File& file : images.Files()) {
        SCOPED_TRACE(file.kind);
        const auto taken = BadImages::Taken(file);
        EXPECT_TRUE(previewOf(QFileInfo(file.path).fileName().toStdString(), folder.path()).isNull());
    }
}

TEST(ItemModelPresetTest, UserPresetsTakeCommonSettingsAndGetNewIds)
{
    PresetConfig::CommonSettings common;
    common.m_statisticsName = "Looks";
    common.m_intensity.m_type = PresetConfig::IntensityType::Blend;
    common.m_intensity.m_blendSetting = {0, 127, 1};
    EffectsSettings current;
    current.Effects() = {Saturation("a", 30)};

    const ItemModelPreset wrapped("Mine", &CONTEXT, common, current, true);
    const ItemModelPreset plain("Mine", &CONTEXT, common, current, false);

    EXPECT_NE(wrapped.GetId(), plain.GetId());
    PresetConfig::Item record;
    wrapped.Serialize(record);
    EXPECT_TRUE(record.m_isUser && record.m_wrapWithBlender);
    EXPECT_EQ(std::tie(record.m_statisticsName, record.m_intensity), std::tie(common.m_statisticsName, common.m_intensity));

    // Level 127 for slider value 1: in the blender when wrapped, else in the preset's own package.
    EXPECT_EQ(BlenderOf(wrapped.GetEffectSettings()).GetLevel(), 127);
    EXPECT_EQ(BlenderOf(wrapped.GetEffectSettings()).GetEffects(), IEffectSettings::ToConstList(current.Effects()));
    EXPECT_EQ(wrapped.GetPreviewEffectSettings().Effects(), current.Effects());
    EXPECT_EQ(plain.GetEffectSettings().Package().blendLevel, 127);
    EXPECT_EQ(current.Package().blendLevel, 0);
}

TEST(ItemModelPresetTest, EmptyFirstEffectIsAClearErrorForBlendAndAutomaticIntensities)
{
    EffectsSettings current;
    current.Effects() = {nullptr, Saturation("a", 30)};
    for (const auto type : {PresetConfig::IntensityType::Blend, PresetConfig::IntensityType::CustomAuto}) {
        PresetConfig::CommonSettings common;
        common.m_intensity.m_type = type;
        EXPECT_THROW(ItemModelPreset("Mine", &CONTEXT, common, current, false), std::invalid_argument)
            << static_cast<int>(type);
    }
}
