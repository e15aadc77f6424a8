#include "Host/QtUtils/ObjectsConnector.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

using Tavrel::ObjectsConnector;

namespace {

class LockReceiver : public QObject {
    Q_OBJECT
public:
    std::optional<bool> value;
    int calls = 0;
    QThread* thread = nullptr;

private slots:
    void OnCoreDrawerLock(bool locked)
    {
        value = locked;
        ++calls;
        thread = QThread::currentThread();
    }
};

} // namespace

TEST(ObjectsConnector, DeliversToDirectAndQueuedReceiversOfTheIdOnlyAndRefusesUnknownSlots)
{
    const std::string id = "TEST_DELIVERY";
    LockReceiver direct, queued, other;
    ObjectsConnector::registerReceiver(id, &direct, SLOT(OnCoreDrawerLock(bool)), false);
    ObjectsConnector::registerReceiver(id, &queued, "1OnCoreDrawerLock(bool)", true);
    ObjectsConnector::registerReceiver("TEST_OTHER_ID", &other, SLOT(OnCoreDrawerLock(bool)), false);

    ObjectsConnector::broadcast(id, true);
    EXPECT_EQ(direct.value, true);
    EXPECT_FALSE(queued.value.has_value()) << "a queued receiver is called from the event loop";
    QCoreApplication::processEvents();
    EXPECT_EQ(queued.value, true);
    EXPECT_EQ(other.calls, 0);

    ObjectsConnector::broadcast(id, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(direct.value, false);
    EXPECT_EQ(queued.value, false);
    EXPECT_EQ(direct.calls, 2);

    EXPECT_THROW(ObjectsConnector::registerReceiver("TEST_BAD", &other, "1NoSuchSlot(bool)", false),
                 std::invalid_argument);
    EXPECT_NO_THROW(ObjectsConnector::broadcast("TEST_NOBODY_LISTENS", true));
}

TEST(ObjectsConnector, QueuedReceiverRunsOnItsOwnThreadAndDestroyedReceiversAreForgotten)
{
    const std::string id = "TEST_CROSS_THREAD";
    LockReceiver receiver;
    auto dying = std::make_unique<LockReceiver>();
    ObjectsConnector::registerReceiver(id, &receiver, "1OnCoreDrawerLock(bool)", true);
    ObjectsConnector::registerReceiver(id, dying.get(), "1OnCoreDrawerLock(bool)", true);
    std::thread worker([&] { ObjectsConnector::broadcast(id, true); });
    worker.join();
    dying.reset(); // with a queued call pending
    ObjectsConnector::broadcast(id, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(receiver.value, false);
    EXPECT_EQ(receiver.calls, 2);
    EXPECT_EQ(receiver.thread, QThread::currentThread());
}

#include "ObjectsConnectorTest.moc"
