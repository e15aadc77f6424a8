#pragma once

#include "Host/Types/ModelFileId.h"

#include <string>

namespace Tavrel::Proc::Neural {

/// Where the photo core keeps its neural model files.
class ModelFile {
public:
    /// The file name of a model without folder: its enumerator name in lower
    /// case with the extension ".model" (SkySegmentation: "skysegmentation.model").
    /// Empty for Invalid and for values outside the enumeration.
    static std::string GetBaseName(ModelFileId id);
};

} // namespace Tavrel::Proc::Neural
