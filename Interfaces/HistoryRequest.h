#pragma once

#include "Interfaces/ToolsId.h"

namespace Tavrel::PhotoCore {

/// A request to return the photo to a history position.
struct HistoryRequest {
    int position = 0;
    /// Keep the entries after the position so that they can be redone.
    bool keepLaterEntries = false;
    /// Render the restored position and report it with DrawerEventUndo and DrawerEventFrame.
    bool render = true;
    /// The tool whose entries are meant; None for any.
    ToolsId toolId = ToolsId::None;
};

} // namespace Tavrel::PhotoCore
