#pragma once
// The presets card: how many presets there are, and one row per preset (a grid preset with its
// thumbnail) with a button that deletes it at once; "No presets saved." when there are none.

#include "app/settings/SettingsCard.h"
#include "model/Preset.h"

class QLabel;
class QVBoxLayout;

namespace corvane {

class WindowController;

class PresetsCard : public SettingsCard {
    Q_OBJECT
public:
    explicit PresetsCard(WindowController& controller, QWidget* parent = nullptr);

private:
    void refresh();
    QWidget* makeRow(const Preset& preset, QWidget* parent);

    WindowController& m_controller;
    QLabel* m_count = nullptr;
    QVBoxLayout* m_listSlot = nullptr;
    QWidget* m_list = nullptr; // "No presets saved." or the list
};

} // namespace corvane
