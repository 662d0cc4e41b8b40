#include "EdgeTilingOffer.h"

#include "app/settings/SettingsWidgets.h"
#include "dragsnap/DragSnapSettings.h"
#include "platform/EdgeTiling.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

EdgeTilingOffer::EdgeTilingOffer(EdgeTiling& tiling, DragSnapSettings& dragSnap, QWidget* parent)
    : QWidget(parent)
    , m_tiling(tiling)
    , m_dragSnap(dragSnap) {
    setObjectName(QStringLiteral("edgeTilingOffer"));
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);
    m_text = makeExplanation(QString(), this);
    m_text->setObjectName(QStringLiteral("edgeTilingOfferText"));
    stack->addWidget(m_text);
    m_button = new QPushButton(this);
    m_button->setObjectName(QStringLiteral("edgeTilingOfferButton"));
    // What the button offers is decided when it shows; the click acts on what the user read.
    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_offer != Offer::Nothing)
            m_tiling.setOn(m_offer == Offer::TurnBackOn);
    });
    stack->addWidget(m_button, 0, Qt::AlignLeft);
    connect(&m_tiling, &EdgeTiling::isOnChanged, this, &EdgeTilingOffer::refresh);
    connect(&m_dragSnap, &DragSnapSettings::isEnabledChanged, this, &EdgeTilingOffer::refresh);
    refresh();
}

EdgeTilingOffer::Offer EdgeTilingOffer::offerFor(bool isDragSnapOn, bool isEdgeTilingOn) {
    if (isDragSnapOn && isEdgeTilingOn)
        return Offer::TurnOff;
    if (!isDragSnapOn && !isEdgeTilingOn)
        return Offer::TurnBackOn;
    return Offer::Nothing;
}

void EdgeTilingOffer::refresh() {
    m_offer = offerFor(m_dragSnap.isEnabled(), m_tiling.isOn());
    const QString desktop = m_tiling.desktopName();
    switch (m_offer) {
    case Offer::TurnOff:
        m_text->setText(
            tr("%1 also tiles or maximizes a window dropped at a screen edge. Where Corvane shows a "
               "zone, Corvane's drop wins.")
                .arg(desktop));
        m_button->setText(tr("Turn off %1's edge tiling").arg(desktop));
        break;
    case Offer::TurnBackOn:
        m_text->setText(
            tr("%1's edge tiling is off: a window dropped at a screen edge stays where it is.").arg(desktop));
        m_button->setText(tr("Turn it back on"));
        break;
    case Offer::Nothing:
        break;
    }
    setVisible(m_offer != Offer::Nothing);
}

} // namespace corvane
