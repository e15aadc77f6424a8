#include "GlimmarPresetsUtil/Settings/SliderSetting.h"
#include "TestEffect.h"

#include <gtest/gtest.h>

#include <cmath>

using Tavrel::PropertyTreeScalar;
using Tavrel::Glimmar::GlimmarPresets::SliderSetting;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::IEffectSettings;
namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;

namespace {

PresetConfig::IntensitySliderSetting Config(int begin, int end, std::vector<PresetConfig::Variable> variables)
{
    PresetConfig::IntensitySliderSetting config;
    config.m_data.m_begin = begin;
    config.m_data.m_end = end;
    config.m_data.m_variables = std::move(variables);
    return config;
}

IEffectSettings::Ptr Tone(const std::string& id, double amount = 0.0, double radius = 0.0)
{
    return MakeEffect("tone", {{"amount", PropertyTreeScalar(amount)}, {"radius", PropertyTreeScalar(radius)}}, id);
}

} // namespace

TEST(SliderSettingTest, WritesAlongTheLineAndExtrapolates)
{
    SliderSetting setting(Config(1, 100, {{0.0, 2.0, "a", "amount"}}), true);
    IEffectSettings::List effects{Tone("a")};
    const std::vector<std::pair<int, double>> cases{{100, 2.0}, {1, 0.0}, {50, 98.0 / 99.0}, {199, 4.0}, {0, -2.0 / 99.0}};
    for (const auto& [value, expected] : cases) {
        setting.SetValue(value);
        EXPECT_TRUE(setting.SaveValue(effects));
        EXPECT_DOUBLE_EQ(Number(*effects[0], "amount"), expected) << "value " << value;
        EXPECT_EQ(setting.Value(), value);
    }
}

TEST(SliderSettingTest, RecoveryRoundsHalvesAwayFromZero)
{
    struct Case {
        int begin, end;
        double variableBegin, variableEnd, parameter;
        int expected;
    };
    const std::vector<Case> cases{
        {1, 100, 0.0, 2.0, 1.0, 51},    // 50.5
        {1, 100, 0.0, 2.0, 2.0, 100},
        {1, 100, 0.0, 2.0, 3.0, 150},   // beyond the end: not clamped
        {0, 10, 0.0, 4.0, -1.0, -3},    // -2.5
        {0, 10, 0.0, 4.0, 1.0, 3},      // 2.5
        {0, 10, 0.0, 4.0, -0.96, -2},   // -2.4
        {1, 100, 1.0, 0.0, 0.25, 75},   // parameter range running down: 75.25
        {10, 0, 0.0, 4.0, 1.0, 8},      // slider range running down: 7.5
    };
    for (const Case& c : cases) {
        SliderSetting setting(Config(c.begin, c.end, {{c.variableBegin, c.variableEnd, "a", "amount"}}), true);
        EXPECT_TRUE(setting.LoadValue(IEffectSettings::List{Tone("a", c.parameter)}));
        EXPECT_EQ(setting.Value(), c.expected) << "parameter " << c.parameter;
    }
}

TEST(SliderSettingTest, RecoveryReadsOnlyTheFirstVariable)
{
    SliderSetting setting(Config(0, 10, {{0.0, 1.0, "a", "amount"}, {0.0, 1.0, "b", "amount"}}), true);
    EXPECT_TRUE(setting.LoadValue(IEffectSettings::List{Tone("b", 0.9), Tone("a", 0.3)}));
    EXPECT_EQ(setting.Value(), 3);
}

TEST(SliderSettingTest, AppliedEffectsAreTheDrivenOnesOncePerIdInIdOrder)
{
    SliderSetting setting(
        Config(0, 10, {{0.0, 1.0, "b", "amount"}, {0.0, 5.0, "a", "amount"}, {10.0, 20.0, "b", "radius"}}), true);
    const IEffectSettings::List effects{Tone("b"), Tone("other", 0.7), Tone("a")};
    setting.SetValue(4);

    const EffectsSettings applied = setting.ApplyIntensityToEffects(effects, 0);

    ASSERT_EQ(applied.Effects().size(), 2u);
    EXPECT_EQ(applied.Effects()[0], effects[2]);
    EXPECT_EQ(applied.Effects()[1], effects[0]);
    // Written on the caller's own effect objects.
    EXPECT_DOUBLE_EQ(Number(*effects[0], "amount"), 0.4);
    EXPECT_DOUBLE_EQ(Number(*effects[0], "radius"), 14.0);
    EXPECT_DOUBLE_EQ(Number(*effects[2], "amount"), 2.0);
    EXPECT_DOUBLE_EQ(Number(*effects[1], "amount"), 0.7);

    SliderSetting other(Config(0, 10, {{0.0, 1.0, "b", "amount"}}), true);
    other.LoadValue(effects);
    EXPECT_EQ(other.Value(), 4);
}

TEST(SliderSettingTest, StrictRecoveryFailsWithItsMessageAndKeepsTheValue)
{
    SliderSetting setting(Config(1, 100, {{0.0, 2.0, "missing", "amount"}, {0.0, 2.0, "a", "amount"}}), true);
    setting.SetValue(42);
    try {
        EffectsSettings settings;
        settings.Effects() = {Tone("a", 1.0)};
        setting.Init(settings);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_EQ(FirstLine(error),
                  "Slider Setting(effectID: missing, parameter: amount) can't be obtained from effects list!");
        EXPECT_EQ(ThrowFunction(error), "LoadValue");
        EXPECT_EQ(ThrowFile(error), "Settings/SliderSetting");
    }
    EXPECT_EQ(setting.Value(), 42);
}

TEST(SliderSettingTest, StrictWritingStopsAtTheMissingEffect)
{
    SliderSetting setting(
        Config(0, 10, {{0.0, 1.0, "a", "amount"}, {0.0, 1.0, "gone", "radius"}, {0.0, 1.0, "a", "radius"}}), true);
    IEffectSettings::List effects{Tone("a", 0.0, 0.0)};
    setting.SetValue(5);
    try {
        setting.SaveValue(effects);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_EQ(FirstLine(error), "Slider Setting(effectID: gone, parameter: radius) can't be set for effects list!");
        EXPECT_EQ(ThrowFunction(error), "SaveValue");
        EXPECT_EQ(ThrowFile(error), "Settings/SliderSetting");
    }
    EXPECT_DOUBLE_EQ(Number(*effects[0], "amount"), 0.5);
    EXPECT_DOUBLE_EQ(Number(*effects[0], "radius"), 0.0);
}

TEST(SliderSettingTest, LenientSettingSkipsMissingEffects)
{
    SliderSetting setting(Config(0, 10, {{0.0, 1.0, "a", "amount"}, {0.0, 1.0, "b", "amount"}}), false);
    IEffectSettings::List onlyA{Tone("a")};
    setting.SetValue(7);
    EXPECT_FALSE(setting.SaveValue(onlyA)); // the last variable's effect is missing
    EXPECT_DOUBLE_EQ(Number(*onlyA[0], "amount"), 0.7);

    IEffectSettings::List none{Tone("c", 0.3)};
    EXPECT_FALSE(setting.SaveValue(none));
    EXPECT_DOUBLE_EQ(Number(*none[0], "amount"), 0.3);
    EXPECT_FALSE(setting.LoadValue(none));
    EXPECT_EQ(setting.Value(), 7);

    const EffectsSettings applied = setting.ApplyIntensityToEffects(onlyA, 0);
    ASSERT_EQ(applied.Effects().size(), 1u);
    EXPECT_EQ(applied.Effects()[0], onlyA[0]);
}

TEST(SliderSettingTest, WithoutVariablesNothingIsReadOrWritten)
{
    SliderSetting setting(true);
    setting.SetValue(3);
    IEffectSettings::List effects{Tone("a", 0.3)};
    EXPECT_TRUE(setting.SaveValue(effects));
    EXPECT_FALSE(setting.LoadValue(effects));
    EXPECT_EQ(setting.Value(), 3);
    EXPECT_TRUE(setting.ApplyIntensityToEffects(effects, 0).Effects().empty());
}

TEST(SliderSettingTest, EqualityComparesEverythingButStrictness)
{
    const auto config = Config(1, 100, {{0.0, 2.0, "a", "amount"}});
    EXPECT_TRUE(SliderSetting(config, true) == SliderSetting(config, false));

    SliderSetting moved(config, true);
    moved.SetValue(5);
    EXPECT_FALSE(moved == SliderSetting(config, true));
    EXPECT_FALSE(SliderSetting(Config(1, 100, {{0.0, 2.0, "a", "radius"}}), true) == SliderSetting(config, true));
    EXPECT_FALSE(SliderSetting(Config(1, 100, {}), true) == SliderSetting(config, true));

    const auto nan = Config(1, 100, {{std::nan(""), 2.0, "a", "amount"}});
    EXPECT_FALSE(SliderSetting(nan, true) == SliderSetting(nan, true));
}
