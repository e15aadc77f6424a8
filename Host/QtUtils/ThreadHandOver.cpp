#include "Host/QtUtils/ThreadHandOver.h"

#include "Host/Types/CallStack.h"

#include <QObject>
#include <QRunnable>
#include <QThreadPool>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <utility>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define GLIMMAR_THREAD_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define GLIMMAR_THREAD_SANITIZER 1
#endif
#ifdef GLIMMAR_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace Tavrel {
namespace {

// What this thread did so far happens before what another thread does after Acquire(address).
void Release(const void* address)
{
#ifdef GLIMMAR_THREAD_SANITIZER
    __tsan_release(const_cast<void*>(address));
#else
    (void)address;
#endif
}

void Acquire(const void* address)
{
#ifdef GLIMMAR_THREAD_SANITIZER
    __tsan_acquire(const_cast<void*>(address));
#else
    (void)address;
#endif
}

// A functor on its way to another thread. Qt moves it into its queue, so every move
// releases at its own address once built; the thread that calls or destroys it acquires
// there first, before reading any member.
class Parcel {
public:
    explicit Parcel(std::function<void()> functor) : m_functor(std::move(functor)) {}
    Parcel(const Parcel&) = delete;
    Parcel(Parcel&& other) noexcept : m_functor(std::move(other.m_functor)) { Release(this); }
    Parcel& operator=(const Parcel&) = delete;
    Parcel& operator=(Parcel&&) = delete;
    ~Parcel() { Acquire(this); }

    void operator()() const
    {
        Acquire(this);
        m_functor();
    }

private:
    std::function<void()> m_functor;
};

} // namespace

void ThreadHandOver::Invoke(QObject* context, std::function<void()> functor)
{
    if (!context)
        TAVREL_THROW(std::invalid_argument, "a functor handed over needs an object to run in");
    QMetaObject::invokeMethod(context, Parcel(std::move(functor)), Qt::QueuedConnection);
}

// Not deleted by the pool: the task owns it, so that it can also be taken back and run by the waiter.
class ThreadHandOver::Task::Runnable : public QRunnable {
public:
    explicit Runnable(std::function<void()> functor) : m_functor(std::move(functor))
    {
        setAutoDelete(false);
        Release(this);
    }

    void run() override
    {
        Acquire(this);
        try {
            m_functor();
        } catch (...) {
            m_failure = std::current_exception();
        }
        // Notified under the lock: the waiter may destroy this as soon as it is released.
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ended = true;
        m_endedChanged.notify_all();
    }

    void Wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_endedChanged.wait(lock, [this] { return m_ended; });
        if (m_failure)
            std::rethrow_exception(std::exchange(m_failure, nullptr));
    }

private:
    const std::function<void()> m_functor;
    std::exception_ptr m_failure;
    std::mutex m_mutex;
    std::condition_variable m_endedChanged;
    bool m_ended = false;
};

ThreadHandOver::Task ThreadHandOver::Run(QThreadPool* pool, std::function<void()> functor)
{
    if (!pool)
        TAVREL_THROW(std::invalid_argument, "a task needs a thread pool to run on");
    auto runnable = std::make_unique<Task::Runnable>(std::move(functor));
    pool->start(runnable.get());
    return Task(pool, std::move(runnable));
}

ThreadHandOver::Task::Task(QThreadPool* pool, std::unique_ptr<Runnable> runnable)
    : m_pool(pool), m_runnable(std::move(runnable))
{
}

ThreadHandOver::Task::Task(Task&&) noexcept = default;

ThreadHandOver::Task::~Task()
{
    if (!m_runnable)
        return;
    try {
        Wait();
    } catch (...) {
        // Nobody asked how it ended.
    }
}

void ThreadHandOver::Task::Wait()
{
    // Not started yet: the pool gives it back, and it runs here rather than after the pool's queue.
    if (m_pool->tryTake(m_runnable.get()))
        m_runnable->run();
    m_runnable->Wait();
}

} // namespace Tavrel
