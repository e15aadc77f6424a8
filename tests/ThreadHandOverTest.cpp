#include "Host/QtUtils/ThreadHandOver.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

using Tavrel::ThreadHandOver;

namespace {

// Written by one thread and read by the other with no lock of ours: only the hand-over orders
// them, and a thread sanitizer build reports a missing ordering as a race.
struct Parcel {
    std::vector<int> values;
    QThread* thread = nullptr;
};

constexpr int CALLS = 50;

} // namespace

// In a burst Qt wakes the receiver once; each call still sees what its sender wrote just before.
TEST(ThreadHandOver, InvokeRunsEachCallOnTheContextsThreadAfterWhatItsSenderWrote)
{
    for (const bool toWorker : {false, true}) {
        SCOPED_TRACE(toWorker ? "to a worker thread" : "to the main thread");
        QThread worker;
        worker.start();
        QObject context;
        if (toWorker)
            context.moveToThread(&worker);
        std::vector<Parcel> parcels(CALLS);
        std::atomic<int> received{0};
        const auto send = [&] {
            for (int i = 0; i < CALLS; ++i) {
                parcels[i].values.assign(10, i);
                ThreadHandOver::Invoke(&context, [&parcel = parcels[i], &received] {
                    parcel.thread = QThread::currentThread();
                    parcel.values.push_back(-1);
                    ++received;
                });
            }
        };
        toWorker ? send() : std::thread(send).join();
        ASSERT_TRUE(QTest::qWaitFor([&] { return received == CALLS; }, 10000));
        worker.quit();
        worker.wait();
        for (const Parcel& parcel : parcels) {
            EXPECT_EQ(parcel.thread, toWorker ? &worker : QThread::currentThread());
            EXPECT_EQ(parcel.values.size(), 11u);
        }
    }
}

TEST(ThreadHandOver, CallsToADestroyedContextAreDroppedWithWhatTheyHold)
{
    auto held = std::make_shared<int>(0);
    auto context = std::make_unique<QObject>();
    std::thread([&context, held] {
        for (int i = 0; i < CALLS; ++i)
            ThreadHandOver::Invoke(context.get(), [held] { ++*held; });
    }).join();
    context.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(*held, 0);
    EXPECT_EQ(held.use_count(), 1);
    EXPECT_THROW(ThreadHandOver::Invoke(nullptr, [] {}), std::invalid_argument);
}

// Waited for, a task has left what it wrote, also when it failed half-way.
TEST(ThreadHandOver, WaitingForATaskSeesWhatItWroteAndRethrowsItsFailure)
{
    QThreadPool pool;
    pool.setMaxThreadCount(2);
    for (const bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "failing" : "succeeding");
        std::vector<Parcel> parcels(CALLS);
        std::vector<ThreadHandOver::Task> tasks;
        for (Parcel& parcel : parcels) {
            parcel.values.assign(10, 0);
            tasks.push_back(ThreadHandOver::Run(&pool, [&parcel, fails] {
                parcel.values.push_back(-1);
                if (fails)
                    throw std::runtime_error("failed");
            }));
        }
        for (std::size_t i = 0; i < tasks.size(); ++i) {
            if (fails)
                EXPECT_THROW(tasks[i].Wait(), std::runtime_error);
            else
                EXPECT_NO_THROW(tasks[i].Wait());
            EXPECT_EQ(parcels[i].values.size(), 11u);
        }
    }
}
