#include "Host/Types/GenerateUuid.h"

#include <QUuid>

namespace Tavrel {

QString GenerateUuid() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }

} // namespace Tavrel
