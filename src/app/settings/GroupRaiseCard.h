#pragma once
// The card of the windows brought to the front together: its switch.

#include "app/settings/SettingsCard.h"

class QCheckBox;

namespace corvane {

class GroupRaiseSettings;

class GroupRaiseCard : public SettingsCard {
    Q_OBJECT
public:
    explicit GroupRaiseCard(GroupRaiseSettings& settings, QWidget* parent = nullptr);
    static QString title() { return tr("RISING TOGETHER"); }

private:
    GroupRaiseSettings& m_settings;
    QCheckBox* m_toggle = nullptr;
};

} // namespace corvane
