#include "SettingsView.h"

#include "app/settings/DragSnapCard.h"
#include "app/settings/ExcludedApplicationsCard.h"
#include "app/settings/GeneralCard.h"
#include "app/settings/GridBuilderCard.h"
#include "app/settings/GroupRaiseCard.h"
#include "app/settings/HotkeysCard.h"
#include "app/settings/ManualSizeCard.h"
#include "app/settings/NeighbourResizeCard.h"
#include "app/settings/PresetsCard.h"
#include "app/settings/QuickSnapCard.h"
#include "app/settings/SettingsWidgets.h"
#include "app/settings/ZoneSpacingCard.h"
#include "control/WindowController.h"
#include "ui/AppIcon.h"
#include "ui/DesktopAgentNotice.h"
#include "ui/QuickSnapTexts.h"
#include "ui/TrayIcon.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

SettingsView::SettingsView(WindowController& controller, DragSnapSettings& dragSnap,
                           QuickSnapSettings& quickSnap, HotkeyGrabs& hotkeyGrabs, Capabilities capabilities,
                           DesktopAgent* agent, EdgeTiling* edgeTiling, QWidget* parent)
    : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setSpacing(20);
    column->setContentsMargins(20, 20, 20, 20);
    column->addWidget(makeHeader());
    // First, while it does not run: nothing below moves a window until it does.
    if (agent) {
        auto* card = new SettingsCard(agent->name(), content);
        card->setObjectName(QStringLiteral("desktopAgent"));
        card->rows()->addWidget(new DesktopAgentNotice(*agent, card));
        card->setVisible(agent->state() != DesktopAgent::State::Running);
        connect(agent, &DesktopAgent::stateChanged, card,
                [card, agent] { card->setVisible(agent->state() != DesktopAgent::State::Running); });
        column->addWidget(card);
    }
    // A card the desktop cannot serve keeps its title and says why its controls are missing.
    const auto cardNeeding = [&](Capability needed, const QString& title, const QString& missing,
                                 const auto& make) -> QWidget* {
        if (capabilities.testFlag(needed))
            return make();
        return SettingsCard::unavailable(title, missing, content);
    };
    column->addWidget(cardNeeding(Capability::LoginItem, GeneralCard::title(),
                                  tr("Launch at login is not available on this desktop."),
                                  [&] { return new GeneralCard(controller, content); }));
    column->addWidget(cardNeeding(Capability::Hotkeys, HotkeysCard::title(),
                                  tr("Hotkeys are not available on this desktop."),
                                  [&] { return new HotkeysCard(controller, hotkeyGrabs, content); }));
    column->addWidget(cardNeeding(Capability::DragObservation, DragSnapCard::title(),
                                  tr("Drag to snap is not available on this desktop."), [&] {
                                      return new DragSnapCard(controller, dragSnap, edgeTiling, content);
                                  }));
    column->addWidget(cardNeeding(Capability::MaximizeButtonPalette, quickSnapTexts::cardTitle(),
                                  tr("Quick Snap on the maximize button is not available on this desktop."),
                                  [&] { return new QuickSnapCard(controller, quickSnap, content); }));
    column->addWidget(new ZoneSpacingCard(controller, content));
    column->addWidget(
        cardNeeding(Capability::DragObservation, NeighbourResizeCard::title(),
                    tr("Resizing windows together is not available on this desktop."),
                    [&] { return new NeighbourResizeCard(controller.neighbourResizeSettings(), content); }));
    column->addWidget(
        cardNeeding(Capability::RaiseWithoutFocus, GroupRaiseCard::title(),
                    tr("Bringing snapped windows to the front together is not available on this desktop."),
                    [&] { return new GroupRaiseCard(controller.groupRaiseSettings(), content); }));
    column->addWidget(new GridBuilderCard(controller, content));
    column->addWidget(new ManualSizeCard(controller, content));
    column->addWidget(new PresetsCard(controller, content));
    column->addWidget(new ExcludedApplicationsCard(controller, content));
    column->addStretch();
    setWidget(content);
}

QWidget* SettingsView::makeHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setSpacing(16);
    row->setContentsMargins(10, 10, 10, 0);
    row->addStretch();
    auto* icon = new QLabel(header);
    const QIcon own = QApplication::windowIcon();
    icon->setPixmap(own.isNull() ? appIconPixmap(TrayIcon::glyph(), 64, palette()) : own.pixmap(64, 64));
    icon->setFixedSize(64, 64);
    icon->setScaledContents(true);
    row->addWidget(icon);
    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(makeLabel(QStringLiteral("Corvane"), TextStyle::Title, header));
    const QString version = QCoreApplication::applicationVersion();
    QLabel* versionLine = makeLabel(tr("Version %1").arg(version.isEmpty() ? QStringLiteral("—") : version),
                                    TextStyle::Subheadline, header, true);
    versionLine->setObjectName(QStringLiteral("version"));
    texts->addWidget(versionLine);
    texts->addStretch();
    row->addLayout(texts);
    row->addStretch();
    return header;
}

} // namespace corvane
