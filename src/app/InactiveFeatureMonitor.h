#pragma once
// Stands in for the drag-to-snap and palette monitors until they exist in this program: the
// settings and the start rule already run, and switching the feature on starts nothing yet.

#include "control/FeatureMonitor.h"

namespace corvane {

class InactiveFeatureMonitor final : public FeatureMonitor {
public:
    void start() override {}
    void stop() override {}
};

} // namespace corvane
