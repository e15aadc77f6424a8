#pragma once

#include <QObject>

class QWidget;

namespace Tavrel::Demo {

/// Quits the application once a window has shown its first frame: at the first
/// moment after the window's first paint that the event loop has nothing left to
/// do, so that what that paint brought forth (tiles a list opens while it paints)
/// is painted too. Works on every platform plugin, offscreen included. For
/// start-up measurements.
class FirstFrameQuitter : public QObject {
public:
    /// Belongs to the window and watches it.
    explicit FirstFrameQuitter(QWidget* window);
    ~FirstFrameQuitter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace Tavrel::Demo
