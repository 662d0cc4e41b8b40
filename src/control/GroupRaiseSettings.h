#pragma once
// The user's choice to bring the windows snapped together to the front together: off by default, so
// that activating a window raises only that window unless the user asks for more. A desktop that
// cannot raise a window without giving it the focus gets no raiser: raising the others would take the
// focus from the window the user activated.

#include "control/FeatureToggle.h"

namespace corvane {

class GroupRaiseSettings : public FeatureToggle {
public:
    GroupRaiseSettings(Platform& platform, FeatureMonitor& raiser, QObject* parent = nullptr)
        : FeatureToggle(platform, raiser, {"groupRaiseEnabled", false, Capability::RaiseWithoutFocus},
                        parent) {}
};

} // namespace corvane
