#pragma once
// What the controller asks of a feature's settings at start-up and when access is granted: run the
// monitor if the feature is on and access is there, else stop it. The settings live in a layer above.

namespace corvane {

class FeatureSwitch {
public:
    virtual ~FeatureSwitch() = default;
    virtual void applyStartRule() = 0;
};

} // namespace corvane
