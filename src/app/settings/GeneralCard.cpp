#include "GeneralCard.h"

#include "app/settings/SettingsWidgets.h"
#include "control/WindowController.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

GeneralCard::GeneralCard(WindowController& controller, QWidget* parent)
    : SettingsCard(title(), parent)
    , m_controller(controller)
    , m_launchAtLogin(new QCheckBox(tr("Launch at Login"), this))
    , m_keepsZones(new QCheckBox(tr("Reopen windows in their zone"), this)) {
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

    ZoneMemory& memory = m_controller.zoneMemory();
    m_keepsZones->setObjectName(QStringLiteral("keepsZones"));
    m_keepsZones->setChecked(memory.keepsZones());
    connect(m_keepsZones, &QCheckBox::clicked, &memory, &ZoneMemory::setKeepsZones);
    connect(&memory, &ZoneMemory::keepsZonesChanged, m_keepsZones, &QCheckBox::setChecked);
    rows()->addWidget(m_keepsZones);
    rows()->addWidget(makeExplanation(
        tr("A window closed in a zone opens there again, on the same screen when it is connected. Corvane "
           "remembers the application, the window's title and the zone of the last 500 such windows."),
        this));
}

} // namespace corvane
