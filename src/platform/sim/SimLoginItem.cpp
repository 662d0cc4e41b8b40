#include "SimLoginItem.h"

namespace corvane {

LoginItemResult SimLoginItem::registerItem() {
    if (m_failure)
        return {false, *m_failure};
    m_status = m_needsApproval ? LoginItemStatus::RequiresApproval : LoginItemStatus::Enabled;
    return {};
}

LoginItemResult SimLoginItem::unregisterItem() {
    if (m_failure)
        return {false, *m_failure};
    m_status = LoginItemStatus::NotRegistered;
    return {};
}

} // namespace corvane
