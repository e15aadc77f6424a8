#include "Host/Drawer/StatisticsRecorder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <thread>

using Tavrel::PhotoCore::StatisticsRecorder;

TEST(StatisticsRecorder, RecordsEveryEventInOrderAndAppendsJsonLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("events.jsonl");
    {
        QFile existing(path);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("{\"name\":\"earlier\",\"parameters\":{}}\n");
    }

    StatisticsRecorder recorder(path);
    recorder.HandleEvent("effects_click", {{"effect_group", "Warm"}, {"effect_name", "Sunset \"gold\""}});
    recorder.HandleEvent("effects_applied", {});
    const std::vector<StatisticsRecorder::Event> expected{
        {"effects_click", {{"effect_group", "Warm"}, {"effect_name", "Sunset \"gold\""}}}, {"effects_applied", {}}};
    EXPECT_EQ(recorder.Events(), expected);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines and the empty rest after the last line break
    EXPECT_TRUE(lines[3].isEmpty());
    const QJsonObject click = QJsonDocument::fromJson(lines[1]).object();
    EXPECT_EQ(click["name"].toString(), "effects_click");
    EXPECT_EQ(click["parameters"].toObject()["effect_name"].toString(), "Sunset \"gold\"");
    EXPECT_EQ(QJsonDocument::fromJson(lines[2]).object()["name"].toString(), "effects_applied");
}

TEST(StatisticsRecorder, KeepsEventsFromConcurrentCallers)
{
    StatisticsRecorder recorder;
    std::thread a([&] { for (int i = 0; i < 200; ++i) recorder.HandleEvent("a", {}); });
    std::thread b([&] { for (int i = 0; i < 200; ++i) recorder.HandleEvent("b", {}); });
    a.join();
    b.join();
    EXPECT_EQ(recorder.Events().size(), 400u);
}
