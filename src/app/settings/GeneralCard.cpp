#include "GeneralCard.h"

#include "control/WindowController.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace corvane {

GeneralCard::GeneralCard(WindowController& controller, QWidget* parent)
    : SettingsCard(title(), parent)
    , m_controller(controller)
    , m_launchAtLogin(new QCheckBox(tr("Launch at Login"), this)) {
    m_launchAtLogin->setObjectName(QStringLiteral("launchAtLogin"));
    m_launchAtLogin->setChecked(m_controller.launchAtLogin().isOn());
    // The toggle shows what the session reports, so a failed registration flips it back.
    connect(m_launchAtLogin, &QCheckBox::clicked, this, [this](bool isOn) {
        m_controller.launchAtLogin().setOn(isOn);
        m_launchAtLogin->setChecked(m_controller.launchAtLogin().isOn());
    });
    connect(&m_controller.launchAtLogin(), &LaunchAtLogin::changed, this,
            [this] { m_launchAtLogin->setChecked(m_controller.launchAtLogin().isOn()); });
    rows()->addWidget(m_launchAtLogin);
}

} // namespace corvane
