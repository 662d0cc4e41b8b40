#include "ZoneSpacingCard.h"

#include "app/settings/SettingsWidgets.h"
#include "control/WindowController.h"
#include "model/BuiltInLayouts.h"
#include "ui/SnapLayoutView.h"
#include "ui/WheelGuard.h"

#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace corvane {

ZoneSpacingCard::ZoneSpacingCard(WindowController& controller, QWidget* parent)
    : SettingsCard(title(), parent)
    , m_controller(controller) {
    ZoneSpacingSettings& spacing = m_controller.zoneSpacing();
    m_gap = addField(QStringLiteral("zoneGap"), tr("Gap between zones"));
    connect(m_gap, &QSpinBox::valueChanged, &spacing, &ZoneSpacingSettings::setGap);
    m_margin = addField(QStringLiteral("zoneMargin"), tr("Margin at screen edges"));
    connect(m_margin, &QSpinBox::valueChanged, &spacing, &ZoneSpacingSettings::setMargin);

    auto* thumbnail = new SnapLayoutView(
        builtInLayouts()[1],
        [this](const QRectF& fraction) { m_controller.placer().snapFocusedWindow(fraction); }, this);
    thumbnail->setObjectName(QStringLiteral("zoneSpacingThumbnail"));
    thumbnail->setToolTip(builtInLayouts()[1].name);
    thumbnail->followZoneSpacing(spacing);
    rows()->addWidget(thumbnail);
    rows()->addWidget(makeExplanation(
        tr("Windows put into zones keep this space between each other and from the edges of the screen. "
           "Size presets keep their size."),
        this));
    connect(&spacing, &ZoneSpacingSettings::spacingChanged, this, &ZoneSpacingCard::refresh);
    refresh();
}

QSpinBox* ZoneSpacingCard::addField(const QString& objectName, const QString& label) {
    auto* field = new QSpinBox(this);
    field->setObjectName(objectName);
    field->setAccessibleName(label);
    field->setRange(0, int(ZoneSpacing::maximum));
    field->setSuffix(tr(" px"));
    field->setFixedWidth(80);
    new WheelGuard(field);
    rows()->addLayout(labelledRow(makeLabel(label, TextStyle::Body, this), field));
    return field;
}

void ZoneSpacingCard::refresh() {
    const ZoneSpacing spacing = m_controller.zoneSpacing().spacing();
    const QSignalBlocker quietGap(m_gap);
    const QSignalBlocker quietMargin(m_margin);
    m_gap->setValue(int(spacing.gap));
    m_margin->setValue(int(spacing.margin));
}

} // namespace corvane
