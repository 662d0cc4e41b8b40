#pragma once
// The Quick Snap card: the switch for the palette on the maximize button, which asks before it turns
// the palette on, and what the palette does and costs.

#include "app/settings/SettingsCard.h"

#include <QPointer>

class QCheckBox;
class QMessageBox;

namespace corvane {

class QuickSnapSettings;
class WindowController;

class QuickSnapCard : public SettingsCard {
    Q_OBJECT
public:
    QuickSnapCard(WindowController& controller, QuickSnapSettings& quickSnap, QWidget* parent = nullptr);

private:
    void confirm();

    QuickSnapSettings& m_quickSnap;
    QCheckBox* m_toggle = nullptr;
    QPointer<QMessageBox> m_confirmation; // open while it asks
};

} // namespace corvane
