#pragma once
// A feature monitor that records the order of start and stop calls.

#include "control/FeatureMonitor.h"

#include <QStringList>

namespace corvane {

struct RecordingMonitor final : FeatureMonitor {
    QStringList calls;
    void start() override { calls.append("start"); }
    void stop() override { calls.append("stop"); }
};

} // namespace corvane
