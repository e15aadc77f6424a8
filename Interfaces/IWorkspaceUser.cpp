#include "Interfaces/IWorkspaceUser.h"

#include "Host/Types/CallStack.h"

#include <stdexcept>

namespace Tavrel::PhotoCore {

void IWorkspaceUser::SetWorkspaceController(const std::weak_ptr<IWorkspaceController>& controller)
{
    m_controller = controller;
}

std::shared_ptr<IWorkspaceController> IWorkspaceUser::GetWorkspaceController(bool required) const
{
    auto controller = m_controller.lock();
    if (!controller && required)
        TAVREL_THROW(std::logic_error, "The WorkspaceController is not defined.");
    return controller;
}

} // namespace Tavrel::PhotoCore
