#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/BlendingSetting.h"
#include "Host/IntToIntMapping.h"
#include "Host/SettingsEffectMaskBlender.h"
#include "TestEffect.h"

#include <gtest/gtest.h>

using Tavrel::IntToIntMapping;
using Tavrel::PropertyTreeScalar;
using Tavrel::Glimmar::GlimmarPresets::BlendingSetting;
using Tavrel::Glimmar::GlimmarPresets::ItemModelPreset;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::IEffectSettings;
using Tavrel::PhotoCore::SettingsEffectMaskBlender;
namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;

namespace {

IEffectSettings::Ptr Tone() { return MakeEffect("tone", {{"amount", PropertyTreeScalar(0.5)}}); }

EffectsSettings Plain()
{
    EffectsSettings settings;
    settings.Effects() = {Tone()};
    return settings;
}

const SettingsEffectMaskBlender& BlenderOf(const EffectsSettings& settings)
{
    return dynamic_cast<const SettingsEffectMaskBlender&>(settings.Effects().front()->GetEffectSettings());
}

BlendingSetting Configured(int value) { return BlendingSetting(PresetConfig::IntensityBlendSetting{0, 127, value}, {1, 100}); }

} // namespace

TEST(BlendingSettingTest, WithoutBlenderTheLevelIsThePackages)
{
    BlendingSetting setting = Configured(60);
    EffectsSettings effects = Plain();
    setting.Init(effects);
    const int level = IntToIntMapping(1, 100, 127, 0).GetForward(60);
    EXPECT_EQ(effects.Package().blendLevel, level);

    setting.SetValue(1);
    const EffectsSettings applied = setting.ApplyIntensityToEffects(effects.Effects(), 9);
    EXPECT_TRUE(applied.Effects().empty());
    EXPECT_EQ(applied.Package().blendLevel, 127);
    EXPECT_EQ(effects.Package().blendLevel, level);

    setting.LoadValue(effects);
    EXPECT_EQ(setting.Value(), 60);
}

TEST(BlendingSettingTest, WithBlenderTheSharedBlenderCarriesLevelAndSource)
{
    BlendingSetting setting = Configured(60);
    EffectsSettings effects = ItemModelPreset::WrapSettingsWithBlender(Plain());
    setting.Init(effects);
    EXPECT_EQ(BlenderOf(effects).GetLevel(), IntToIntMapping(1, 100, 127, 0).GetForward(60));
    EXPECT_EQ(effects.Package().blendLevel, 0);

    setting.SetValue(100);
    const EffectsSettings applied = setting.ApplyIntensityToEffects(effects.Effects(), 9);
    EXPECT_EQ(applied.Effects(), effects.Effects());
    EXPECT_EQ(BlenderOf(effects).GetLevel(), 0);
    EXPECT_EQ(BlenderOf(effects).GetSourceIndex(), 9u);

    setting.SetValue(5);
    setting.LoadValue(effects);
    EXPECT_EQ(setting.Value(), 100);
}

TEST(BlendingSettingTest, ListAndStoredSettingsMustBothHaveTheBlender)
{
    BlendingSetting withBlender = Configured(100);
    EffectsSettings wrapped = ItemModelPreset::WrapSettingsWithBlender(Plain());
    withBlender.Init(wrapped);
    const EffectsSettings fromEmptyList = withBlender.ApplyIntensityToEffects({}, 9);
    EXPECT_TRUE(fromEmptyList.Effects().empty());
    EXPECT_EQ(fromEmptyList.Package().blendLevel, 0);
    EXPECT_EQ(BlenderOf(wrapped).GetSourceIndex(), SettingsEffectMaskBlender().GetSourceIndex());

    BlendingSetting withoutBlender = Configured(100);
    EffectsSettings plain = Plain();
    withoutBlender.Init(plain);
    const EffectsSettings fromBlenderList = withoutBlender.ApplyIntensityToEffects(wrapped.Effects(), 9);
    EXPECT_TRUE(fromBlenderList.Effects().empty());
    EXPECT_EQ(fromBlenderList.Package().blendLevel, 0);
}

TEST(BlendingSettingTest, CoreRoundTripAndNoClamping)
{
    for (BlendingSetting setting : {Configured(127), BlendingSetting()}) {
        for (int value = setting.Min(); value <= setting.Max(); ++value) {
            setting.SetValue(value);
            setting.SetValueFromCore(setting.ValueToCore());
            ASSERT_EQ(setting.Value(), value);
        }
    }

    BlendingSetting setting = Configured(127); // the configured value is taken as a slider value
    EXPECT_EQ(setting.Value(), 127);
    EXPECT_EQ(setting.ValueToCore(), -35);
    EffectsSettings effects = Plain();
    setting.Init(effects);
    EXPECT_EQ(effects.Package().blendLevel, -35);
    setting.SetValue(0);
    EXPECT_EQ(setting.ValueToCore(), 128);
    setting.SetValueFromCore(300);
    EXPECT_EQ(setting.Value(), -134);

    const BlendingSetting byDefault;
    EXPECT_EQ(byDefault.Value(), 255);
    EXPECT_EQ(byDefault.ValueToCore(), IntToIntMapping(1, 100, 255, 1).GetForward(255));
}
