#include "EffectTestHelpers.h"
#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/SliderAutoSetting.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"

#include <gtest/gtest.h>

using Tavrel::PropertyTreeScalar;
using Tavrel::Glimmar::GlimmarPresets::ItemModelPreset;
using Tavrel::Glimmar::GlimmarPresets::SliderAutoSetting;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::IEffectSettings;
using Tavrel::PhotoCore::SettingsEffectMaskBlender;

namespace {

EffectsSettings Wrapped(IEffectSettings::List effects)
{
    EffectsSettings settings;
    settings.Effects() = std::move(effects);
    return ItemModelPreset::WrapSettingsWithBlender(settings);
}

const IEffectSettings& Inner(const EffectsSettings& settings, std::size_t index)
{
    return *BlenderOf(settings).GetEffects().at(index);
}

IEffectSettings::Ptr Vignette(double amount, PropertyTreeScalar radius)
{
    return MakeEffect("vignette", {{"amount", amount}, {"radius", radius}});
}

SliderAutoSetting Automatic(EffectsSettings reference)
{
    SliderAutoSetting setting;
    setting.Init(reference);
    return setting;
}

} // namespace

TEST(SliderAutoSettingTest, ScalesNumbersInsideTheBlenderButNotHueAndRecoversTheValue)
{
    // 0.29 * 100 is just below 29 in double arithmetic: recovered as 28.
    for (const auto& [value, recovered] : std::vector<std::pair<int, int>>{{0, 0}, {29, 28}, {100, 100}, {150, 150}}) {
        SCOPED_TRACE(value);
        const IEffectSettings::Ptr outside = MakeEffect("grain", {{"amount", 0.6}});
        EffectsSettings reference = Wrapped({Vignette(0.8, 10), MakeEffect("hueShift", {{"hue", 30.0}, {"strength", 0.5}})});
        reference.Effects().push_back(outside);
        SliderAutoSetting setting = Automatic(reference);
        setting.SetValue(value);

        const EffectsSettings result = setting.ApplyIntensityToEffects({}, 3);
        const double factor = value / 100.0;
        EXPECT_DOUBLE_EQ(Param(Inner(result, 0), "amount").toDouble(), 0.8 * factor);
        EXPECT_EQ(Param(Inner(result, 0), "radius"), PropertyTreeScalar(10 * factor)); // now a double
        EXPECT_EQ(Param(Inner(result, 1), "hue"), PropertyTreeScalar(30.0));
        EXPECT_DOUBLE_EQ(Param(Inner(result, 1), "strength").toDouble(), 0.5 * factor);
        EXPECT_EQ(result.Effects()[1], outside);
        EXPECT_EQ(Param(*outside, "amount"), PropertyTreeScalar(0.6));
        // The reference, whose blender copies of EffectsSettings share, is untouched.
        EXPECT_NE(result.Effects()[0], reference.Effects()[0]);
        EXPECT_EQ(Param(Inner(reference, 0), "amount"), PropertyTreeScalar(0.8));
        EXPECT_EQ(Param(Inner(reference, 0), "radius"), PropertyTreeScalar(10));

        SliderAutoSetting reader = Automatic(Wrapped({MakeEffect("exposure", {{"amount", 1.0}})}));
        reader.SetValue(value);
        const EffectsSettings exposure = reader.ApplyIntensityToEffects({}, 0);
        reader.SetValue(-1);
        reader.LoadValue(exposure);
        EXPECT_EQ(reader.Value(), recovered);
    }
}

TEST(SliderAutoSettingTest, RecoveryCountsWholeNumbersOnlyWithoutDoubles)
{
    SliderAutoSetting setting = Automatic(Wrapped({Vignette(0.8, 10)}));
    setting.LoadValue(Wrapped({Vignette(0.4, 2)})); // radius 2 of 10 would pull the mean down
    EXPECT_EQ(setting.Value(), 50);

    SliderAutoSetting integers = Automatic(Wrapped({MakeEffect("grain", {{"amount", 0.0}, {"size", 10}, {"seed", 4}})}));
    integers.LoadValue(Wrapped({MakeEffect("grain", {{"amount", 0.3}, {"size", 3}, {"seed", 2}})}));
    EXPECT_EQ(integers.Value(), 40); // (0.3 + 0.5) / 2; the zero amount gives no ratio
    integers.LoadValue(Wrapped({MakeEffect("grain", {{"size", 7.0}, {"seed", 2}})}));
    EXPECT_EQ(integers.Value(), 70); // a scaled whole number is a double
}

TEST(SliderAutoSettingTest, WithoutEvidenceTheValueStays)
{
    // Hue is excluded, a zero reference gives no ratio, an unwrapped chain has no blender.
    SliderAutoSetting setting = Automatic(Wrapped({MakeEffect("hueShift", {{"hue", 10.0}, {"strength", 0.0}})}));
    setting.SetValue(33);
    setting.LoadValue(Wrapped({MakeEffect("hueShift", {{"hue", 5.0}, {"strength", 0.5}})}));
    EffectsSettings unwrapped;
    unwrapped.Effects() = {MakeEffect("hueShift", {{"strength", 0.1}})};
    setting.LoadValue(unwrapped);
    EXPECT_THROW(setting.LoadValue(Wrapped({Vignette(0.4, 2)})), std::out_of_range);
    EXPECT_EQ(setting.Value(), 33);
}

TEST(SliderAutoSettingTest, EffectsSharingAnIdInsideTheBlenderAreEachScaled)
{
    SliderAutoSetting setting = Automatic(Wrapped({Vignette(0.4, 10), Vignette(0.8, 20)}));
    setting.SetValue(50);
    const EffectsSettings result = setting.ApplyIntensityToEffects({}, 0);
    ASSERT_EQ(BlenderOf(result).GetEffects().size(), 2u);
    EXPECT_DOUBLE_EQ(Param(Inner(result, 0), "amount").toDouble(), 0.2);
    EXPECT_DOUBLE_EQ(Param(Inner(result, 1), "amount").toDouble(), 0.4);
}
