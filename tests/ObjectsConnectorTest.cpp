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

TEST(ObjectsConnector, DeliversToTheIdsReceiversOnTheirThreadsAndForgetsDestroyedOnes)
{
    const std::string id = "TEST_DELIVERY";
    LockReceiver direct, queued, other;
    auto dying = std::make_unique<LockReceiver>();
    ObjectsConnector::registerReceiver(id, &direct, SLOT(OnCoreDrawerLock(bool)), false);
    ObjectsConnector::registerReceiver(id, &queued, "1OnCoreDrawerLock(bool)", true);
    ObjectsConnector::registerReceiver(id, dying.get(), "1OnCoreDrawerLock(bool)", true);
    ObjectsConnector::registerReceiver("TEST_OTHER_ID", &other, SLOT(OnCoreDrawerLock(bool)), false);

    std::thread worker([&] { ObjectsConnector::broadcast(id, true); });
    worker.join();
    EXPECT_EQ(direct.value, true);
    EXPECT_FALSE(queued.value.has_value()) << "a queued receiver is called from its thread's event loop";
    dying.reset(); // with a queued call pending
    ObjectsConnector::broadcast(id, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(queued.value, false);
    EXPECT_EQ(queued.calls, 2);
    EXPECT_EQ(queued.thread, QThread::currentThread());
    EXPECT_EQ(direct.calls, 2);
    EXPECT_EQ(other.calls, 0);

    EXPECT_THROW(ObjectsConnector::registerReceiver("TEST_BAD", &other, "1NoSuchSlot(bool)", false),
                 std::invalid_argument);
}

#include "ObjectsConnectorTest.moc"
