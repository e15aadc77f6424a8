#pragma once

#include <QWidget>

namespace Tavrel {

/// An invisible widget that carries the style properties of the workspace
/// scene: style sheets address it by its object name, and the owner reads the
/// polished properties from it. It is never shown.
class WorkspaceScenePropertyHelper : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* OBJECT_NAME = "WorkspaceScenePropertyHelper";

    explicit WorkspaceScenePropertyHelper(QWidget* parent = nullptr);

    /// Names the widget for style sheets, keeps it off screen and applies the style.
    void PrepareHelper();
};

} // namespace Tavrel
