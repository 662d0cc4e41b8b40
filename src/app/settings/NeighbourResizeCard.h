#pragma once
// The card of the windows resized together: the switch, and the key that resizes a window alone.

#include "app/settings/SettingsCard.h"

class QCheckBox;
class QComboBox;

namespace corvane {

class NeighbourResizeSettings;

class NeighbourResizeCard : public SettingsCard {
    Q_OBJECT
public:
    explicit NeighbourResizeCard(NeighbourResizeSettings& settings, QWidget* parent = nullptr);
    static QString title() { return tr("RESIZING TOGETHER"); }

private:
    void refresh();

    NeighbourResizeSettings& m_settings;
    QCheckBox* m_toggle = nullptr;
    QComboBox* m_aloneKey = nullptr;
};

} // namespace corvane
