#pragma once
// A login item whose status tests set and whose calls can be made to fail with a message.

#include "platform/LoginItem.h"

#include <optional>

namespace corvane {

class SimLoginItem final : public LoginItem {
public:
    LoginItemStatus status() override { return m_status; }
    LoginItemResult registerItem() override;
    LoginItemResult unregisterItem() override;

    void setStatus(LoginItemStatus status) { m_status = status; }
    // Every later call fails with this description, until cleared with none.
    void setFailure(std::optional<QString> errorDescription) { m_failure = std::move(errorDescription); }
    // Registering succeeds but leaves the item waiting for the user's approval.
    void setRegistrationNeedsApproval(bool needsApproval) { m_needsApproval = needsApproval; }
    int callCount() const { return m_calls; }

private:
    LoginItemStatus m_status = LoginItemStatus::NotRegistered;
    std::optional<QString> m_failure;
    bool m_needsApproval = false;
    int m_calls = 0;
};

} // namespace corvane
