#include "GroupRaiseCard.h"

#include "app/settings/SettingsWidgets.h"
#include "control/GroupRaiseSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

GroupRaiseCard::GroupRaiseCard(GroupRaiseSettings& settings, QWidget* parent)
    : SettingsCard(title(), parent)
    , m_settings(settings) {
    m_toggle = new QCheckBox(tr("Bring snapped windows to the front together"), this);
    m_toggle->setObjectName(QStringLiteral("groupRaiseToggle"));
    m_toggle->setChecked(m_settings.isEnabled());
    connect(m_toggle, &QCheckBox::clicked, &m_settings, &GroupRaiseSettings::setEnabled);
    connect(&m_settings, &GroupRaiseSettings::isEnabledChanged, m_toggle, &QCheckBox::setChecked);
    rows()->addWidget(m_toggle);
    rows()->addWidget(makeExplanation(
        tr("When you bring up a window Corvane put in a zone, the windows it put in the other zones of "
           "that layout on that monitor come to the front with it. The window you chose keeps the keyboard."),
        this));
}

} // namespace corvane
