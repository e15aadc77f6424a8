#include "Host/QtUtils/WorkspaceScenePropertyHelper.h"

namespace Tavrel {

WorkspaceScenePropertyHelper::WorkspaceScenePropertyHelper(QWidget* parent) : QWidget(parent) {}

void WorkspaceScenePropertyHelper::PrepareHelper()
{
    setObjectName(OBJECT_NAME);
    setAttribute(Qt::WA_DontShowOnScreen);
    hide();
    ensurePolished();
}

} // namespace Tavrel
