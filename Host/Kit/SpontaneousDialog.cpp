#include "Host/Kit/SpontaneousDialog.h"

#include <QApplication>
#include <QMainWindow>

namespace Tavrel::Util {

QWidget* SpontaneousDialog::GetMainWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(widget))
            return window;
    }
    return nullptr;
}

} // namespace Tavrel::Util
