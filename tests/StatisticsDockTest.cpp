#include "demo/StatisticsDock.h"
#include "tests/FileBytes.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

void Append(const QString& path, const QByteArray& bytes) { WriteBytes(path, bytes, QIODevice::Append); }

QByteArray Event(int n) { return "{\"name\": \"event" + QByteArray::number(n) + "\", \"parameters\": {}}\n"; }

std::string LastEvent(const Tavrel::Demo::StatisticsDock& dock)
{
    const auto* events = dock.findChild<QTreeWidget*>("statisticsEvents");
    return events->topLevelItem(events->topLevelItemCount() - 1)->text(0).toStdString();
}

} // namespace

// A log that something other than the tracker wrote into, or that grew over many sessions,
// costs the dock neither its memory nor the events around the damage.
TEST(StatisticsDock, SkipsWhatIsNotAnEventAndOpensALongLogAtItsTail)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("statistics.jsonl");
    Append(log, Event(1) + QByteArray(200 * 1024, 'x') + "\nnot json\n" + Event(2) + "{\"name\": \"ev");
    Tavrel::Demo::StatisticsDock dock(log);
    EXPECT_EQ(dock.EventCount(), 2);
    Append(log, QByteArray("ent3\"}\n") + QByteArray(100 * 1024, 'y'));
    dock.ReadNewLines();
    EXPECT_EQ(dock.EventCount(), 3);
    EXPECT_EQ(LastEvent(dock), "event3");
    Append(log, QByteArray(100 * 1024, 'y') + "\n" + Event(4));
    dock.ReadNewLines();
    EXPECT_EQ(dock.EventCount(), 4) << "an over-long line is skipped even when it arrives in pieces";

    QByteArray lines;
    for (int n = 0; n < 150000; ++n)
        lines += Event(n);
    ASSERT_GT(lines.size(), 4 * 1024 * 1024);
    const QString longLog = dir.filePath("long.jsonl");
    Append(longLog, lines);
    Tavrel::Demo::StatisticsDock longDock(longLog);
    EXPECT_EQ(longDock.EventCount(), 10000);
    EXPECT_EQ(LastEvent(longDock), "event149999");
}
