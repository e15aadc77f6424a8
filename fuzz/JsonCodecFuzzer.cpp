// JSON text as the storage reads a configuration file. Whatever reads must write back as JSON
// that reads as the same tree, or a user's file would change on its next save.

#include "FuzzInput.h"

#include "Host/Types/JsonCodec.h"

using Tavrel::PropertyTree;
using Tavrel::PhotoUtil::JsonCodec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PropertyTree tree;
    std::string error;
    if (!JsonCodec::TryParse(std::string_view(reinterpret_cast<const char*>(data), size), tree, error)) {
        if (error.empty())
            FuzzInput::Fail("refused without a reason");
        return 0;
    }
    std::string text;
    if (!JsonCodec::TrySerialize(tree, text, error))
        FuzzInput::Fail("a tree read from JSON cannot be written: " + error);
    PropertyTree again;
    if (!JsonCodec::TryParse(text, again, error))
        FuzzInput::Fail("written JSON does not read: " + error);
    if (again != tree)
        FuzzInput::Fail("written JSON reads as another tree");
    return 0;
}
