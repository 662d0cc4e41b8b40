#pragma once
// The card of the applications Corvane leaves alone: one row per application with a button that
// takes it off the list, and a button that adds the application of the window the user last worked
// in (never Corvane, which the placer never counts as one).

#include "app/settings/SettingsCard.h"

class QPushButton;
class QVBoxLayout;

namespace corvane {

class WindowController;

class ExcludedApplicationsCard : public SettingsCard {
    Q_OBJECT
public:
    explicit ExcludedApplicationsCard(WindowController& controller, QWidget* parent = nullptr);
    static QString title() { return tr("APPLICATIONS LEFT ALONE"); }

private:
    void refresh();
    QWidget* makeRow(const QString& name, QWidget* parent);

    WindowController& m_controller;
    QVBoxLayout* m_listSlot = nullptr;
    QWidget* m_list = nullptr; // "No applications." or the list
    QPushButton* m_add = nullptr;
};

} // namespace corvane
