#include "NeighbourResizeCard.h"

#include "app/settings/SettingsWidgets.h"
#include "control/NeighbourResizeSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

NeighbourResizeCard::NeighbourResizeCard(NeighbourResizeSettings& settings, QWidget* parent)
    : SettingsCard(title(), parent)
    , m_settings(settings) {
    m_toggle = new QCheckBox(tr("Resize the windows beside a snapped window with it"), this);
    m_toggle->setObjectName(QStringLiteral("neighbourResizeToggle"));
    connect(m_toggle, &QCheckBox::clicked, &m_settings, &NeighbourResizeSettings::setEnabled);
    rows()->addWidget(m_toggle);

    using AloneKey = NeighbourResizeSettings::AloneKey;
    m_aloneKey = makePicker(140, tr("Resize a window alone with"), this);
    m_aloneKey->setObjectName(QStringLiteral("neighbourResizeAloneKey"));
    m_aloneKey->addItem(tr("Super"), QVariant::fromValue(AloneKey::Super));
    m_aloneKey->addItem(tr("Alt"), QVariant::fromValue(AloneKey::Alt));
    m_aloneKey->addItem(tr("Shift"), QVariant::fromValue(AloneKey::Shift));
    m_aloneKey->addItem(tr("Control"), QVariant::fromValue(AloneKey::Control));
    connect(m_aloneKey, &QComboBox::activated, this,
            [this](int index) { m_settings.setAloneKey(m_aloneKey->itemData(index).value<AloneKey>()); });
    rows()->addLayout(
        labelledRow(makeLabel(tr("Resize a window alone with"), TextStyle::Body, this), m_aloneKey));
    rows()->addWidget(makeExplanation(
        tr("When you drag the edge of a window Corvane put in a zone, the windows it put beside it move "
           "that edge with it. Hold the key to resize the window alone."),
        this));
    connect(&m_settings, &NeighbourResizeSettings::isEnabledChanged, this, &NeighbourResizeCard::refresh);
    connect(&m_settings, &NeighbourResizeSettings::aloneKeyChanged, this, &NeighbourResizeCard::refresh);
    refresh();
}

void NeighbourResizeCard::refresh() {
    m_toggle->setChecked(m_settings.isEnabled());
    m_aloneKey->setCurrentIndex(m_aloneKey->findData(QVariant::fromValue(m_settings.aloneKey())));
    m_aloneKey->setEnabled(m_settings.isEnabled());
}

} // namespace corvane
