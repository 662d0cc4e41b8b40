#pragma once
// Stands in for the palette monitor until it exists in this program: the setting and the start
// rule already run, and switching the palette on starts nothing yet.

#include "control/FeatureMonitor.h"

namespace corvane {

class InactiveFeatureMonitor final : public FeatureMonitor {
public:
    void start() override {}
    void stop() override {}
};

} // namespace corvane
