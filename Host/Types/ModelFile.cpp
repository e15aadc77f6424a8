#include "Host/Types/ModelFile.h"

#include <QString>

namespace Tavrel::Proc::Neural {

std::string ModelFile::GetBaseName(ModelFileId id)
{
    const auto index = static_cast<std::size_t>(id);
    if (id == ModelFileId::Invalid || index >= ModelFileIdNames.size())
        return {};
    const std::string_view name = ModelFileIdNames[index];
    return QString::fromLatin1(name.data(), static_cast<int>(name.size())).toLower().toStdString() + ".model";
}

} // namespace Tavrel::Proc::Neural
