#include "Host/QtUtils/FunctorExecutionForwarder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <thread>
#include <vector>

using Tavrel::FunctorExecutionForwarder;

TEST(FunctorExecutionForwarder, RunsCallsFromOtherThreadsLaterOnItsOwnThreadInOrder)
{
    FunctorExecutionForwarder forwarder;
    std::vector<int> order;
    std::vector<QThread*> threads;
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            forwarder.Forward([&order, &threads, i] {
                order.push_back(i);
                threads.push_back(QThread::currentThread());
            });
    });
    worker.join();
    EXPECT_TRUE(order.empty()) << "nothing may run before the creating thread processes events";

    QCoreApplication::processEvents();
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(order[i], i);
        EXPECT_EQ(threads[i], QThread::currentThread());
    }
}
