#pragma once

#include "Interfaces/IWorkspaceController.h"

#include <memory>

namespace Tavrel::PhotoCore {

/// Base of the objects that talk to the workspace: keeps a weak link to the
/// controller and locks it per operation.
class IWorkspaceUser {
public:
    virtual ~IWorkspaceUser() = default;

    virtual void SetWorkspaceController(const std::weak_ptr<IWorkspaceController>& controller);

    /// The locked controller. When it is gone: with required, throws std::logic_error
    /// "The WorkspaceController is not defined." and the call stack; else an empty pointer.
    std::shared_ptr<IWorkspaceController> GetWorkspaceController(bool required) const;

private:
    std::weak_ptr<IWorkspaceController> m_controller;
};

} // namespace Tavrel::PhotoCore
