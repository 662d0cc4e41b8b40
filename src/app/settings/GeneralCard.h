#pragma once
// The settings window's first card: starting Corvane with the session, and whether windows open
// again in the zone they were closed in.

#include "app/settings/SettingsCard.h"

class QCheckBox;

namespace corvane {

class WindowController;

class GeneralCard : public SettingsCard {
    Q_OBJECT
public:
    explicit GeneralCard(WindowController& controller, QWidget* parent = nullptr);
    static QString title() { return tr("SETTINGS"); }

private:
    WindowController& m_controller;
    QCheckBox* m_launchAtLogin = nullptr;
    QCheckBox* m_keepsZones = nullptr;
};

} // namespace corvane
