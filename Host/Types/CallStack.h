#pragma once

#include <boost/assert/source_location.hpp>
#include <boost/throw_exception.hpp>

#include <cstddef>
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

/// A source file's name without its extension, made at compile time from
/// __FILE__ (which the build maps to a path relative to the target's folder).
template <std::size_t N>
struct SourceName {
    char name[N]{};

    constexpr explicit SourceName(const char (&file)[N])
    {
        std::size_t end = N - 1;
        for (std::size_t i = 0; i + 1 < N; ++i) {
            if (file[i] == '.')
                end = i;
            else if (file[i] == '/')
                end = N - 1;
        }
        for (std::size_t i = 0; i < end; ++i)
            name[i] = file[i];
    }
};

} // namespace Tavrel

/// Throws E with the message, the calling function's name and its source position.
#define TAVREL_THROW(E, message)                                                                              \
    do {                                                                                                      \
        static constexpr ::Tavrel::SourceName tavrelSourceName(__FILE__);                                    \
        ::Tavrel::ThrowWithCallStack<E>((message),                                                            \
                                        ::boost::source_location(tavrelSourceName.name, __LINE__, __func__)); \
    } while (false)
