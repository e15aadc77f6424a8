#pragma once

#include <functional>
#include <memory>

class QObject;
class QThreadPool;

namespace Tavrel {

/// The ways work and results cross threads through Qt. Qt's event queues and thread pools
/// synchronise under locks of its own, which a thread sanitizer cannot see; in a build with
/// one, these tell it about the ordering that those locks give, so that what it still reports
/// is a race.
class ThreadHandOver {
public:
    /// Runs functor later on context's thread; it sees everything the calling thread did
    /// before the call. Thread-safe. A functor still queued when context is destroyed never
    /// runs. Throws std::invalid_argument for a null context.
    static void Invoke(QObject* context, std::function<void()> functor);

    /// A functor started on a thread pool.
    class Task {
    public:
        Task(Task&&) noexcept;
        Task& operator=(Task&&) = delete;
        /// Waits for the functor when Wait was not called.
        ~Task();

        /// Blocks until the functor has ended (running it here when it has not started yet);
        /// afterwards this thread sees everything it did. Rethrows what it threw.
        void Wait();

    private:
        friend class ThreadHandOver;
        class Runnable;
        Task(QThreadPool* pool, std::unique_ptr<Runnable> runnable);

        QThreadPool* m_pool;
        std::unique_ptr<Runnable> m_runnable;
    };

    /// Starts functor on pool; it sees everything the calling thread did before the call.
    static Task Run(QThreadPool* pool, std::function<void()> functor);
};

} // namespace Tavrel
