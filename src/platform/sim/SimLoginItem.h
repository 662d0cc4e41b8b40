#pragma once
// A login item whose calls can be made to fail with a message, or to leave it awaiting approval.

#include "platform/LoginItem.h"

#include <optional>

namespace corvane {

class SimLoginItem final : public LoginItem {
public:
    LoginItemStatus status() override { return m_status; }
    LoginItemResult registerItem() override;
    LoginItemResult unregisterItem() override;

    // Every later call fails with this description, until cleared with none.
    void setFailure(std::optional<QString> errorDescription) { m_failure = std::move(errorDescription); }
    // Registering succeeds but leaves the item waiting for the user's approval.
    void setRegistrationNeedsApproval(bool needsApproval) { m_needsApproval = needsApproval; }

private:
    LoginItemStatus m_status = LoginItemStatus::NotRegistered;
    std::optional<QString> m_failure;
    bool m_needsApproval = false;
};

} // namespace corvane
