#pragma once

#include "Interfaces/IVideoFrame.h"
#include "Interfaces/ToolsId.h"

namespace Tavrel::PhotoCore {

// Records of the drawer's events; IDrawerEventHandler receives them on the drawer's thread.

/// The history moved back to a position (undo or Restore).
struct DrawerEventUndo {
    int position = -1;
};

/// A final render of the current history position is ready.
struct DrawerEventFrame {
    FramePtr frame;
    int position = -1;
};

/// Whether the photo has changes that can be saved.
struct DrawerEventChangeToSave {
    bool hasChanges = false;
};

/// A temporary paint (UpdatePaint) has been rendered.
struct DrawerEventFrameTemporary {
    FramePtr frame;
};

/// The active tool changed.
struct DrawerEventToolIdChange {
    ToolsId toolId = ToolsId::None;
};

/// A shape item of the photo (text, sticker, frame) was changed.
struct DrawerEventShapeItem {
    int itemId = -1;
};

/// The history's entries changed (added, replaced, dropped).
struct DrawerEventMementoChanged {
    int entryCount = 0;
    int currentPosition = 0;
};

} // namespace Tavrel::PhotoCore
