#pragma once

#include <QToolButton>

class QMenu;

namespace Tavrel {

/// A tool button that owns a menu and pops it below itself, right edges aligned, when clicked.
class ToolButtonWithCustomMenu : public QToolButton {
    Q_OBJECT

public:
    explicit ToolButtonWithCustomMenu(QWidget* parent = nullptr);

    QMenu* GetMenu() const;

private:
    void OnClicked();

    QMenu* m_menu;
};

} // namespace Tavrel
