#pragma once
// Starting Corvane when the user logs in.

#include <QString>

namespace corvane {

enum class LoginItemStatus {
    NotRegistered,
    Enabled,
    RequiresApproval,
    NotFound,
};

struct LoginItemResult {
    bool succeeded = true;
    QString errorDescription; // for the user and the log, when it failed
};

class LoginItem {
public:
    virtual ~LoginItem() = default;

    virtual LoginItemStatus status() = 0;
    virtual LoginItemResult registerItem() = 0;
    virtual LoginItemResult unregisterItem() = 0;
};

} // namespace corvane
