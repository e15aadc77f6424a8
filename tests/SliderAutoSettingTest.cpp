#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/SliderAutoSetting.h"
#include "Host/SettingsEffectMaskBlender.h"
#include "TestEffect.h"

#include <gtest/gtest.h>

using Tavrel::PropertyTreeScalar;
using Tavrel::Glimmar::GlimmarPresets::ItemModelPreset;
using Tavrel::Glimmar::GlimmarPresets::SliderAutoSetting;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::IEffectSettings;
using Tavrel::PhotoCore::SettingsEffectMaskBlender;

namespace {

IEffectSettings::Ptr Tone(double amount, std::int64_t radius)
{
    return MakeEffect("tone", {{"amount", PropertyTreeScalar(amount)},
                               {"radius", PropertyTreeScalar(radius)},
                               {"hue", PropertyTreeScalar(30.0)},
                               {"enabled", PropertyTreeScalar(true)},
                               {"label", PropertyTreeScalar(std::string("warm"))}});
}

IEffectSettings::Ptr Grain(double amount) { return MakeEffect("grain", {{"amount", PropertyTreeScalar(amount)}}); }

EffectsSettings Wrapped(IEffectSettings::List effects)
{
    EffectsSettings settings;
    settings.Effects() = std::move(effects);
    return ItemModelPreset::WrapSettingsWithBlender(settings);
}

const SettingsEffectMaskBlender& BlenderOf(const EffectsSettings& settings)
{
    return dynamic_cast<const SettingsEffectMaskBlender&>(settings.Effects().front()->GetEffectSettings());
}

const IEffectSettings& Inner(const EffectsSettings& settings, std::size_t index)
{
    return *BlenderOf(settings).GetEffects().at(index);
}

} // namespace

TEST(SliderAutoSettingTest, ScalesNumbersInsideTheBlenderOnly)
{
    for (const int value : {0, 50, 100, 150}) {
        SCOPED_TRACE(value);
        const IEffectSettings::Ptr outside = Grain(0.6);
        EffectsSettings reference = Wrapped({Tone(0.8, 10), Grain(0.5)});
        reference.Effects().push_back(outside);
        SliderAutoSetting setting;
        setting.Init(reference);
        setting.SetValue(value);

        const EffectsSettings result = setting.ApplyIntensityToEffects({}, 3);

        const double factor = value / 100.0;
        const IEffectSettings& tone = Inner(result, 0);
        EXPECT_DOUBLE_EQ(Number(tone, "amount"), 0.8 * factor);
        EXPECT_TRUE(Property(tone, "radius").isDouble());
        EXPECT_DOUBLE_EQ(Number(tone, "radius"), 10 * factor);
        EXPECT_EQ(Property(tone, "hue"), PropertyTreeScalar(30.0));
        EXPECT_EQ(Property(tone, "enabled"), PropertyTreeScalar(true));
        EXPECT_EQ(Property(tone, "label"), PropertyTreeScalar(std::string("warm")));
        EXPECT_DOUBLE_EQ(Number(Inner(result, 1), "amount"), 0.5 * factor);
        ASSERT_EQ(result.Effects().size(), 2u);
        EXPECT_EQ(result.Effects()[1], outside);
        EXPECT_DOUBLE_EQ(Number(*outside, "amount"), 0.6);
    }
}

TEST(SliderAutoSettingTest, ProducingEffectsLeavesTheReferenceAlone)
{
    EffectsSettings reference = Wrapped({Tone(0.8, 10)});
    const IEffectSettings::ConstList innerBefore = BlenderOf(reference).GetEffects();
    SliderAutoSetting setting;
    setting.Init(reference);
    setting.SetValue(25);

    const EffectsSettings result = setting.ApplyIntensityToEffects(reference.Effects(), 0);

    EXPECT_NE(result.Effects()[0], reference.Effects()[0]);
    EXPECT_EQ(BlenderOf(reference).GetEffects(), innerBefore);
    EXPECT_DOUBLE_EQ(Number(Inner(reference, 0), "amount"), 0.8);
    EXPECT_EQ(Property(Inner(reference, 0), "radius"), PropertyTreeScalar(10));
    EXPECT_TRUE(BlenderOf(result).GetFillMask());
    EXPECT_TRUE(BlenderOf(result).GetRenderInner());

    // A second call starts from the unscaled reference again.
    const EffectsSettings again = setting.ApplyIntensityToEffects({}, 0);
    EXPECT_DOUBLE_EQ(Number(Inner(again, 0), "amount"), 0.2);
}

TEST(SliderAutoSettingTest, InitKeepsTheValueAndSaveWritesNothing)
{
    EffectsSettings reference = Wrapped({Tone(0.4, 10)});
    SliderAutoSetting setting;
    setting.Init(reference);
    EXPECT_EQ(setting.Value(), 100);
    setting.SetValue(10);
    setting.SaveValue(reference);
    EXPECT_DOUBLE_EQ(Number(Inner(reference, 0), "amount"), 0.4);
}

TEST(SliderAutoSettingTest, RecoversTheAppliedValueUpToTruncation)
{
    // 0.29 * 100 is just below 29 in double arithmetic.
    const std::vector<std::pair<int, int>> cases{{29, 28}, {50, 50}, {0, 0}, {100, 100}, {150, 150}, {1, 1}};
    for (const auto& [applied, recovered] : cases) {
        SliderAutoSetting setting;
        EffectsSettings reference = Wrapped({Grain(1.0)});
        setting.Init(reference);
        setting.SetValue(applied);
        const EffectsSettings result = setting.ApplyIntensityToEffects({}, 0);
        setting.SetValue(-1);
        setting.LoadValue(result);
        EXPECT_EQ(setting.Value(), recovered) << "applied " << applied;
    }
}

TEST(SliderAutoSettingTest, RecoveryPrefersFloatingRatios)
{
    SliderAutoSetting setting;
    EffectsSettings reference = Wrapped({Tone(0.8, 10)});
    setting.Init(reference);

    // Radius 2 of 10 would pull the mean down if whole-number ratios counted.
    setting.LoadValue(Wrapped({Tone(0.4, 2)}));
    EXPECT_EQ(setting.Value(), 50);

    SliderAutoSetting integers;
    EffectsSettings integerReference = Wrapped({MakeEffect("dots", {{"size", PropertyTreeScalar(10)}, {"seed", PropertyTreeScalar(4)}})});
    integers.Init(integerReference);
    integers.LoadValue(Wrapped({MakeEffect("dots", {{"size", PropertyTreeScalar(3)}, {"seed", PropertyTreeScalar(2)}})}));
    EXPECT_EQ(integers.Value(), 40); // (0.3 + 0.5) / 2

    // A scaled whole number is a double and counts as floating.
    integers.LoadValue(Wrapped({MakeEffect("dots", {{"size", PropertyTreeScalar(7.0)}, {"seed", PropertyTreeScalar(2)}})}));
    EXPECT_EQ(integers.Value(), 70);
}

TEST(SliderAutoSettingTest, RecoveryWithoutEvidenceKeepsTheValue)
{
    SliderAutoSetting setting;
    EffectsSettings reference = Wrapped({MakeEffect("tone", {{"amount", PropertyTreeScalar(0.0)}, {"hue", PropertyTreeScalar(10.0)}})});
    setting.Init(reference);
    setting.SetValue(33);

    // Zero reference and excluded hue give no ratio.
    setting.LoadValue(Wrapped({MakeEffect("tone", {{"amount", PropertyTreeScalar(0.5)}, {"hue", PropertyTreeScalar(5.0)}})}));
    EXPECT_EQ(setting.Value(), 33);

    EffectsSettings unwrapped;
    unwrapped.Effects() = {Tone(0.1, 1)};
    setting.LoadValue(unwrapped);
    EXPECT_EQ(setting.Value(), 33);

    EXPECT_THROW(setting.LoadValue(Wrapped({Grain(0.5)})), std::out_of_range);
    EXPECT_EQ(setting.Value(), 33);
}

TEST(SliderAutoSettingTest, ReferenceWithoutBlenderIsAppliedUnchanged)
{
    SliderAutoSetting setting;
    EffectsSettings reference;
    reference.Effects() = {Grain(0.5)};
    setting.Init(reference);
    setting.SetValue(10);
    const EffectsSettings result = setting.ApplyIntensityToEffects({}, 0);
    EXPECT_EQ(result.Effects(), reference.Effects());
    EXPECT_DOUBLE_EQ(Number(*reference.Effects()[0], "amount"), 0.5);

    setting.SetValue(20);
    setting.LoadValue(Wrapped({Grain(0.25)}));
    EXPECT_EQ(setting.Value(), 20);
}
