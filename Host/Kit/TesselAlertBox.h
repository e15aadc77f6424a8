#pragma once

#include "Host/Kit/ElemsConfig.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;

namespace Tavrel::Tessel {

/// A modal question with up to three buttons and an optional check box. The buttons are named
/// "firstButton", "secondButton", "thirdButton", the check box "checkBox", the texts "titleLabel"
/// and "textLabel" (hidden when empty).
class TesselAlertBox : public QDialog {
    Q_OBJECT

public:
    TesselAlertBox(const QString& title, const QString& text, QWidget* parent, const ElemsConfig& elems);

    /// Runs modally. The index of the pressed button (0 first, 1 second, 2 third), or -1 when the box
    /// was closed otherwise (Escape, the window's close button).
    int Exec();

    bool IsCheckBoxChecked() const;

private:
    std::array<QPushButton*, 3> m_buttons{};
    QCheckBox* m_checkBox = nullptr;
    int m_pressed = -1;
};

} // namespace Tavrel::Tessel
