#include "GlimmarPresetsUtil/Apply/EffectEventTracker.h"
#include "RecordingWorkspace.h"

#include <gtest/gtest.h>

using Tavrel::Glimmar::GlimmarPresets::EffectEventTracker;

TEST(EffectEventTracker, SendsNamedEventsUnchangedAndDropsTheRest)
{
    auto controller = std::make_shared<RecordingWorkspace::Controller>();
    EffectEventTracker tracker;
    tracker.TrackEvent("before_controller", {});

    tracker.SetWorkspaceController(controller);
    tracker.TrackEvent("", {{"effect_group", "Warm"}});
    tracker.TrackEvent("_click", {{"effect_group", "Warm"}, {"effect_name", "Sunny"}});

    ASSERT_EQ(controller->statistics.events.size(), 1u);
    EXPECT_EQ(controller->statistics.events[0].first, "_click");
    const std::map<std::string, std::string> expected{{"effect_group", "Warm"}, {"effect_name", "Sunny"}};
    EXPECT_EQ(controller->statistics.events[0].second, expected);
}

TEST(EffectEventTracker, CopiesShareTheControllerUntilGivenAnother)
{
    auto first = std::make_shared<RecordingWorkspace::Controller>();
    auto second = std::make_shared<RecordingWorkspace::Controller>();
    EffectEventTracker original;
    original.SetWorkspaceController(first);

    EffectEventTracker copy(original);
    EffectEventTracker moved(std::move(EffectEventTracker(original)));
    EffectEventTracker assigned;
    assigned = original;
    copy.TrackEvent("a", {});
    moved.TrackEvent("b", {});
    assigned.TrackEvent("c", {});
    EXPECT_EQ(first->statistics.events.size(), 3u);

    copy.SetWorkspaceController(second);
    copy.TrackEvent("d", {});
    original.TrackEvent("e", {});
    EXPECT_EQ(first->statistics.events.size(), 4u);
    ASSERT_EQ(second->statistics.events.size(), 1u);
    EXPECT_EQ(second->statistics.events[0].first, "d");

    second.reset();
    copy.TrackEvent("dropped", {});
    EXPECT_EQ(first->statistics.events.size(), 4u);
}
