#pragma once

#include <QObject>

#include <functional>

namespace Tavrel {

/// Runs functors later on the thread that created the forwarder.
/// Calls still queued when the forwarder is destroyed never run.
class FunctorExecutionForwarder : public QObject {
    Q_OBJECT
public:
    explicit FunctorExecutionForwarder(QObject* parent = nullptr);

    /// Thread-safe: may be called from any thread while the forwarder lives.
    void Forward(std::function<void()> functor);
};

} // namespace Tavrel
