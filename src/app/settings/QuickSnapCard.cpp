#include "QuickSnapCard.h"

#include "app/settings/SettingsWidgets.h"
#include "control/WindowController.h"
#include "palette/QuickSnapSettings.h"
#include "ui/QuickSnapTexts.h"
#include "ui/WindowButtonsGlyph.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace corvane {

QuickSnapCard::QuickSnapCard(WindowController& controller, QuickSnapSettings& quickSnap, QWidget* parent)
    : SettingsCard(quickSnapTexts::cardTitle(), parent)
    , m_quickSnap(quickSnap)
    , m_toggle(new QCheckBox(quickSnapTexts::toggleLabel(), this)) {
    titleRow()->insertWidget(0, new WindowButtonsGlyph(controller.titleButtonLayout(), this), 0,
                             Qt::AlignVCenter);
    m_toggle->setObjectName(QStringLiteral("quickSnapToggle"));
    connect(m_toggle, &QCheckBox::clicked, this, [this](bool isOn) {
        if (isOn) {
            // Nothing changes until the user confirms.
            m_toggle->setChecked(false);
            confirm();
        } else {
            m_quickSnap.setEnabled(false);
        }
    });
    rows()->addWidget(m_toggle);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(makeExplanation(quickSnapTexts::whereItOpens(), this));
    texts->addWidget(makeExplanation(quickSnapTexts::whatItCosts(), this));
    rows()->addLayout(texts);
    connect(&m_quickSnap, &QuickSnapSettings::isEnabledChanged, this,
            [this] { m_toggle->setChecked(m_quickSnap.isEnabled()); });
    m_toggle->setChecked(m_quickSnap.isEnabled());
}

void QuickSnapCard::confirm() {
    if (m_confirmation)
        return;
    // The question is the alert's title, shown large, with its message below it.
    m_confirmation = new QMessageBox(QMessageBox::Question, QStringLiteral("Corvane"),
                                     quickSnapTexts::confirmationTitle(), QMessageBox::NoButton, this);
    m_confirmation->setInformativeText(quickSnapTexts::confirmationMessage());
    QPushButton* turnOn = m_confirmation->addButton(tr("Turn On"), QMessageBox::AcceptRole);
    m_confirmation->addButton(tr("Cancel"), QMessageBox::RejectRole);
    m_confirmation->setDefaultButton(turnOn);
    m_confirmation->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_confirmation, &QMessageBox::buttonClicked, this, [this, turnOn](QAbstractButton* clicked) {
        if (clicked == turnOn)
            m_quickSnap.setEnabled(true);
    });
    m_confirmation->open();
}

} // namespace corvane
