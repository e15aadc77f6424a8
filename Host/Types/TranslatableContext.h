#pragma once

namespace Tavrel {

/// A translation context: the name under which a group of texts is translated.
class TranslatableContext {
public:
    constexpr explicit TranslatableContext(const char* context) : m_context(context) {}
    constexpr const char* getContext() const { return m_context; }

private:
    const char* m_context;
};

} // namespace Tavrel
