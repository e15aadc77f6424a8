#include "Host/QtUtils/GetRoundedPixmap.h"
#include "Host/Drawer/StatisticsRecorder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <thread>

using Tavrel::PhotoCore::StatisticsRecorder;

TEST(GetRoundedPixmap, CutsTheCornersAndKeepsTheRest)
{
    QPixmap pixmap(40, 20);
    pixmap.fill(Qt::red);
    pixmap.setDevicePixelRatio(2.0);
    const QPixmap rounded = Tavrel::GetRoundedPixmap(pixmap, 8, 8);
    ASSERT_EQ(rounded.size(), pixmap.size());
    EXPECT_DOUBLE_EQ(rounded.devicePixelRatio(), 2.0);

    const QImage image = rounded.toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 19), QPoint(39, 19)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixel(20, 10), QColor(Qt::red).rgba());
    EXPECT_EQ(image.pixel(20, 0), QColor(Qt::red).rgba()) << "edges between the corners stay";

    EXPECT_TRUE(Tavrel::GetRoundedPixmap(QPixmap(), 4, 4).isNull());
    EXPECT_EQ(Tavrel::GetRoundedPixmap(pixmap, 0, 0).toImage().pixel(0, 0), QColor(Qt::red).rgba());
}

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
