#pragma once

#include <boost/assert/source_location.hpp>
#include <boost/throw_exception.hpp>

#include <string>

namespace Tavrel {

/// The current call stack as text, one frame a line.
std::string GetCallStack();

/// Throws E through boost::throw_exception with the given source position; the
/// message is the text, a line break and the current call stack.
template <typename E>
[[noreturn]] void ThrowWithCallStack(const std::string& text, const boost::source_location& location)
{
    boost::throw_exception(E(text + "\n" + GetCallStack()), location);
}

} // namespace Tavrel

/// Throws E with the text from the current function, naming the given file.
#define TAVREL_THROW(E, text, file)                                                                   \
    ::Tavrel::ThrowWithCallStack<E>((text), ::boost::source_location((file), __LINE__, __func__))
