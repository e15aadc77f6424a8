#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "Host/QtUtils/FunctorExecutionForwarder.h"

#include <glog/logging.h>

#include <exception>
#include <functional>
#include <memory>

namespace Tavrel::Glimmar::GlimmarPresets {

/// Base of handlers whose events arrive on another thread: Forward runs a call
/// later on the thread that created the object. The forwarder lives exactly as
/// long as the object, so no forwarded call runs after it is destroyed.
template <typename Handler>
class GLIMMARPRESETSUTIL_EXPORT EventHandlerUI : public virtual Handler {
public:
    EventHandlerUI() : m_forwarder(std::make_unique<FunctorExecutionForwarder>()) {}
    ~EventHandlerUI() override = default;

    EventHandlerUI(const EventHandlerUI&) = delete;
    EventHandlerUI& operator=(const EventHandlerUI&) = delete;

protected:
    /// Thread-safe. An exception escaping the call is logged, never thrown into the event loop.
    void Forward(std::function<void()> call)
    {
        m_forwarder->Forward([call = std::move(call)] {
            try {
                call();
            } catch (const std::exception& e) {
                LOG(ERROR) << "forwarded event handler failed: " << e.what();
            } catch (...) {
                LOG(ERROR) << "forwarded event handler failed with an unknown exception";
            }
        });
    }

private:
    std::unique_ptr<FunctorExecutionForwarder> m_forwarder;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
