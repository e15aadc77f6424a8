#include "EffectTestHelpers.h"
#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/BlendingSetting.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"

#include <gtest/gtest.h>

using Tavrel::Glimmar::GlimmarPresets::BlendingSetting;
using Tavrel::Glimmar::GlimmarPresets::ItemModelPreset;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::SettingsEffectMaskBlender;
namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;

namespace {

EffectsSettings Plain()
{
    EffectsSettings settings;
    settings.Effects() = {MakeEffect("contrast", {{"amount", 20.0}})};
    return settings;
}

// Slider 1..100 onto level 127..0.
BlendingSetting Configured(int value) { return BlendingSetting(PresetConfig::IntensityBlendSetting{0, 127, value}, {1, 100}); }

} // namespace

TEST(BlendingSettingTest, WithoutBlenderOnlyTheLevelIsProduced)
{
    BlendingSetting setting = Configured(60);
    EffectsSettings effects = Plain();
    setting.Init(effects);
    EXPECT_EQ(effects.Package().blendLevel, 51); // 51.31

    setting.SetValue(1);
    const EffectsSettings applied = setting.ApplyIntensityToEffects(effects.Effects(), 9);
    EXPECT_TRUE(applied.Effects().empty());
    EXPECT_EQ(applied.Package().blendLevel, 127);
    setting.LoadValue(effects);
    EXPECT_EQ(setting.Value(), 60);
}

TEST(BlendingSettingTest, WithBlenderTheSharedBlenderCarriesLevelAndSource)
{
    BlendingSetting setting = Configured(60);
    EffectsSettings effects = ItemModelPreset::WrapSettingsWithBlender(Plain());
    setting.Init(effects);
    EXPECT_EQ(BlenderOf(effects).GetLevel(), 51);
    EXPECT_EQ(effects.Package().blendLevel, 0);

    setting.SetValue(100);
    const EffectsSettings applied = setting.ApplyIntensityToEffects(effects.Effects(), 9);
    EXPECT_EQ(applied.Effects(), effects.Effects());
    EXPECT_EQ(BlenderOf(effects).GetLevel(), 0);
    EXPECT_EQ(BlenderOf(effects).GetSourceIndex(), 9u);
    setting.LoadValue(effects);
    EXPECT_EQ(setting.Value(), 100);

    // An empty list, or stored settings without the blender, fall back to the level alone.
    EXPECT_TRUE(setting.ApplyIntensityToEffects({}, 4).Effects().empty());
    EXPECT_EQ(BlenderOf(effects).GetSourceIndex(), 9u);
    BlendingSetting plain = Configured(100);
    EffectsSettings plainEffects = Plain();
    plain.Init(plainEffects);
    EXPECT_TRUE(plain.ApplyIntensityToEffects(effects.Effects(), 4).Effects().empty());
}
