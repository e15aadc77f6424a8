#include "EffectTestHelpers.h"
#include "GlimmarPresetsUtil/Settings/SliderSetting.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using Tavrel::Glimmar::GlimmarPresets::SliderSetting;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::IEffectSettings;
namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;

namespace {

SliderSetting Slider(int begin, int end, std::vector<PresetConfig::Variable> variables, bool strict = true)
{
    return SliderSetting(PresetConfig::IntensitySliderSetting{{begin, end, std::move(variables)}}, strict);
}

IEffectSettings::Ptr Vignette(const std::string& id, double amount = 0.0)
{
    return MakeEffect("vignette", {{"amount", amount}}, id);
}

double Amount(const IEffectSettings::Ptr& effect) { return Param(*effect, "amount").toDouble(); }

// The first line of the message of the std::invalid_argument that call throws.
template <class Call>
std::string Failure(Call call)
{
    try {
        call();
    } catch (const std::invalid_argument& error) {
        const std::string text = error.what();
        return text.substr(0, text.find('\n'));
    }
    return "no exception";
}

} // namespace

TEST(SliderSettingTest, WritesAndRecoversAlongTheLineAndSaturatesBeyondIt)
{
    SliderSetting setting = Slider(1, 100, {{0.0, 2.0, "a", "amount"}});
    const IEffectSettings::List effects{Vignette("a")};
    for (const auto& [value, expected] : std::vector<std::pair<int, double>>{{100, 2.0}, {1, 0.0}, {199, 4.0}, {0, -2.0 / 99}}) {
        setting.SetValue(value);
        setting.ApplyIntensityToEffects(effects, 0);
        EXPECT_DOUBLE_EQ(Amount(effects[0]), expected) << "value " << value;
    }

    // Recovery: the slider value for a parameter, rounded half away from zero.
    struct Case {
        int begin, end;
        double variableBegin, variableEnd, parameter;
        int expected;
    };
    for (const Case& c : {Case{1, 100, 0.0, 2.0, 1.0, 51}, // 50.5
                          Case{1, 100, 0.0, 2.0, 3.0, 150},
                          Case{0, 10, 0.0, 4.0, -1.0, -3},  // -2.5
                          Case{0, 10, 0.0, 4.0, -0.96, -2}, // -2.4
                          Case{1, 100, 1.0, 0.0, 0.25, 75}, // 75.25, parameter running down
                          Case{10, 0, 0.0, 4.0, 1.0, 8},    // 7.5, slider running down
                          Case{5, 10, 0.0, 0.0, 0.0, 5},    // a variable without begin and end: 0 / 0
                          Case{5, 10, 2.0, 2.0, 7.0, 5},    // zero width, parameter elsewhere
                          Case{0, 1, 0.0, 1.0, 1e12, INT_MAX}, // would wrap to INT_MIN
                          Case{0, 1, 0.0, 1.0, -1e12, INT_MIN},
                          Case{3, 9, 0.0, 1.0, NAN, 3}}) {
        SliderSetting recovering = Slider(c.begin, c.end, {{c.variableBegin, c.variableEnd, "a", "amount"}});
        EXPECT_TRUE(recovering.LoadValue(IEffectSettings::List{Vignette("a", c.parameter)}));
        EXPECT_EQ(recovering.Value(), c.expected) << "parameter " << c.parameter;
    }

    // Writing on a zero-width slider range puts every parameter at its variable's begin.
    SliderSetting flat = Slider(4, 4, {{0.25, 2.0, "a", "amount"}});
    for (const int value : {4, 0, 100}) {
        flat.SetValue(value);
        flat.ApplyIntensityToEffects(effects, 0);
        EXPECT_DOUBLE_EQ(Amount(effects[0]), 0.25) << "value " << value;
    }
}

TEST(SliderSettingTest, AppliedEffectsAreTheDrivenOnesOncePerIdInIdOrder)
{
    SliderSetting setting =
        Slider(0, 10, {{0.0, 1.0, "b", "amount"}, {0.0, 5.0, "a", "amount"}, {10.0, 20.0, "b", "radius"}});
    const IEffectSettings::List effects{Vignette("b"), Vignette("other", 0.7), Vignette("a")};
    setting.SetValue(4);

    const EffectsSettings applied = setting.ApplyIntensityToEffects(effects, 0);

    EXPECT_EQ(applied.Effects(), (IEffectSettings::List{effects[2], effects[0]}));
    EXPECT_DOUBLE_EQ(Amount(effects[0]), 0.4);
    EXPECT_DOUBLE_EQ(Param(*effects[0], "radius").toDouble(), 14.0);
    EXPECT_DOUBLE_EQ(Amount(effects[1]), 0.7);
}

TEST(SliderSettingTest, StrictSettingFailsWithItsMessages)
{
    SliderSetting reader = Slider(1, 100, {{0.0, 2.0, "missing", "amount"}, {0.0, 2.0, "a", "amount"}});
    reader.SetValue(42);
    EffectsSettings settings;
    settings.Effects() = {Vignette("a", 1.0)};
    EXPECT_EQ(Failure([&] { reader.Init(settings); }),
              "Slider Setting(effectID: missing, parameter: amount) can't be obtained from effects list!");
    EXPECT_EQ(reader.Value(), 42);

    SliderSetting writer = Slider(0, 10, {{0.0, 1.0, "a", "amount"}, {0.0, 1.0, "gone", "radius"}, {0.0, 1.0, "a", "radius"}});
    writer.SetValue(5);
    EXPECT_EQ(Failure([&] { writer.SaveValue(settings); }),
              "Slider Setting(effectID: gone, parameter: radius) can't be set for effects list!");
    EXPECT_DOUBLE_EQ(Amount(settings.Effects()[0]), 0.5); // written before the failure
    EXPECT_EQ(Param(*settings.Effects()[0], "radius"), Tavrel::PropertyTreeScalar(70));
}

TEST(SliderSettingTest, LenientSettingSkipsMissingEffects)
{
    SliderSetting setting = Slider(0, 10, {{0.0, 1.0, "a", "amount"}, {0.0, 1.0, "b", "amount"}}, false);
    IEffectSettings::List onlyA{Vignette("a")};
    setting.SetValue(7);
    EXPECT_FALSE(setting.SaveValue(onlyA)); // the last variable's effect is missing
    EXPECT_DOUBLE_EQ(Amount(onlyA[0]), 0.7);
    EXPECT_EQ(setting.ApplyIntensityToEffects(onlyA, 0).Effects(), onlyA);

    IEffectSettings::List neither{Vignette("c", 0.3)};
    EXPECT_FALSE(setting.LoadValue(neither));
    EXPECT_EQ(setting.Value(), 7);
}
