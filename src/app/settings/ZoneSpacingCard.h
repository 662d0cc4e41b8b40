#pragma once
// The zone spacing card: the gap between neighbouring zones and the margin at the screen's edges, in
// pixels, over a thumbnail that shows them as they are set.

#include "app/settings/SettingsCard.h"

class QSpinBox;

namespace corvane {

class WindowController;

class ZoneSpacingCard : public SettingsCard {
    Q_OBJECT
public:
    explicit ZoneSpacingCard(WindowController& controller, QWidget* parent = nullptr);
    static QString title() { return tr("ZONE SPACING"); }

private:
    // A row of the label and a field of pixels, added to the card.
    QSpinBox* addField(const QString& objectName, const QString& label);
    void refresh();

    WindowController& m_controller;
    QSpinBox* m_gap = nullptr;
    QSpinBox* m_margin = nullptr;
};

} // namespace corvane
