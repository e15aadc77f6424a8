#include "Host/Types/CallStack.h"

#include <boost/stacktrace.hpp>

namespace Tavrel {

std::string GetCallStack()
{
    // Skip this function itself.
    return boost::stacktrace::to_string(boost::stacktrace::stacktrace(1, static_cast<std::size_t>(-1)));
}

} // namespace Tavrel
