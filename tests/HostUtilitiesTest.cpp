#include "Host/Drawer/StatisticsRecorder.h"

#include <gtest/gtest.h>

#include <thread>

using Tavrel::PhotoCore::StatisticsRecorder;

TEST(StatisticsRecorder, KeepsEventsFromConcurrentCallers)
{
    StatisticsRecorder recorder;
    std::thread a([&] { for (int i = 0; i < 200; ++i) recorder.HandleEvent("a", {}); });
    std::thread b([&] { for (int i = 0; i < 200; ++i) recorder.HandleEvent("b", {}); });
    a.join();
    b.join();
    EXPECT_EQ(recorder.Events().size(), 400u);
}
