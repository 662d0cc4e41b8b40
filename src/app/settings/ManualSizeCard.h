#pragma once
// The manual size card: a width and a height the target window takes on "Apply to Target", and the
// name they are saved under as a size preset. What is typed lives here until it is saved.

#include "app/settings/SettingsCard.h"

#include <QSizeF>

namespace corvane {

class WindowController;

class ManualSizeCard : public SettingsCard {
    Q_OBJECT
public:
    explicit ManualSizeCard(WindowController& controller, QWidget* parent = nullptr);

    // Each side clamped to 100 ... 10000.
    static QSizeF clampedSize(double width, double height);
};

} // namespace corvane
