#pragma once

#include "Host/Types/TranslatableContext.h"

#include <QString>

#include <string>
#include <string_view>

namespace Tavrel {

/// A context and a source text, translated when shown. Holds a copy of the
/// context and a view of the text: the text must outlive the string.
class TranslatableString {
public:
    constexpr TranslatableString() = default;
    constexpr TranslatableString(const TranslatableContext& context, std::string_view text)
        : m_context(context), m_text(text)
    {
    }

    /// The text translated in the context by the application's installed translators.
    QString getTranslated() const;
    QString operator()() const { return getTranslated(); }
    /// The source text (UTF-8).
    std::string getUntranslated() const { return std::string(m_text); }
    const TranslatableContext& getContext() const { return m_context; }

private:
    TranslatableContext m_context{""};
    std::string_view m_text;
};

} // namespace Tavrel
