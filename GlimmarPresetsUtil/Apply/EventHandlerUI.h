#pragma once

#include "Host/QtUtils/FunctorExecutionForwarder.h"

#include <functional>
#include <memory>

namespace Tavrel::Glimmar::GlimmarPresets {

/// Base of handlers whose events arrive on another thread: Forward runs a call
/// later on the thread that created the object. The forwarder lives exactly as
/// long as the object, so no forwarded call runs after it is destroyed.
///
/// Forward is built inside the library for the handler interfaces it serves.
template <typename Handler>
class EventHandlerUI : public virtual Handler {
public:
    EventHandlerUI() : m_forwarder(std::make_unique<FunctorExecutionForwarder>()) {}
    ~EventHandlerUI() override = default;

    EventHandlerUI(const EventHandlerUI&) = delete;
    EventHandlerUI& operator=(const EventHandlerUI&) = delete;

protected:
    /// Thread-safe. An exception escaping the call is logged, never thrown into the event loop.
    void Forward(std::function<void()> call);

private:
    std::unique_ptr<FunctorExecutionForwarder> m_forwarder;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
