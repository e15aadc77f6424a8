#include "Host/Types/TranslatableString.h"

#include <QCoreApplication>

namespace Tavrel {

QString TranslatableString::getTranslated() const
{
    // translate() needs a terminated text; the view need not be.
    const std::string text(m_text);
    return QCoreApplication::translate(m_context.getContext(), text.c_str());
}

} // namespace Tavrel
