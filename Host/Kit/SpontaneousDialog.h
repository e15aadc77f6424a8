#pragma once

class QWidget;

namespace Tavrel::Util {

/// Where dialogs that come up on their own (not from a widget at hand) are parented.
class SpontaneousDialog {
public:
    /// The application's active window, else the first top-level QMainWindow, else null.
    static QWidget* GetMainWindow();
};

} // namespace Tavrel::Util
