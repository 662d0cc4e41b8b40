#pragma once
// The grid builder card: the grid's rows and columns, the grid drawn with its merged blocks, and the
// name it is saved under as a preset. The grid being drawn lives here until it is saved.

#include "app/settings/SettingsCard.h"

namespace corvane {

class WindowController;

class GridBuilderCard : public SettingsCard {
    Q_OBJECT
public:
    explicit GridBuilderCard(WindowController& controller, QWidget* parent = nullptr);
};

} // namespace corvane
