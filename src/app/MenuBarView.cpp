#include "MenuBarView.h"

#include "app/UpdaterController.h"
#include "control/WindowController.h"
#include "model/BuiltInLayouts.h"
#include "platform/Application.h"
#include "ui/DesktopAgentNotice.h"
#include "ui/PermissionOverlay.h"
#include "ui/PresetCell.h"
#include "ui/SectionHeader.h"
#include "ui/SnapLayoutView.h"
#include "ui/ViewStyle.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace corvane {

namespace {

QPushButton* smallButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setFont(fontFor(TextStyle::Caption));
    return button;
}

// Two equal columns, 16 between rows, 16 at the sides and the bottom.
QGridLayout* twoColumnGrid() {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(16, 0, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(16);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(0, 10);
    grid->setColumnMinimumWidth(1, 10);
    return grid;
}

} // namespace

MenuBarView::MenuBarView(WindowController& controller, UpdaterController& updater, Application& application,
                         std::function<void()> showSettings, DesktopAgent* agent, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
    , m_updater(updater)
    , m_agent(agent) {
    setFixedSize(width, height);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(16, 12, 16, 12);
    auto* title = new QLabel(QStringLiteral("Corvane"), this);
    title->setFont(fontFor(TextStyle::Headline));
    header->addWidget(title);
    header->addStretch();
    auto* settings = smallButton(tr("Settings"), this);
    settings->setObjectName(QStringLiteral("settings"));
    connect(settings, &QPushButton::clicked, this,
            [showSettings = std::move(showSettings)] { showSettings(); });
    header->addWidget(settings);
    stack->addLayout(header);
    stack->addWidget(makeDivider(this));

    // The body sits at index 2, between the two dividers.
    stack->addWidget(new QWidget(this), 1);
    // In a window of its own for want of a tray: where the desktop can have one, say how. Made anew
    // when a tray comes, so it never needs hiding.
    if (!application.isSystemTrayAvailable() && !application.systemTrayHint().isEmpty()) {
        auto* hint = new QLabel(application.systemTrayHint(), this);
        hint->setObjectName(QStringLiteral("trayHint"));
        hint->setFont(fontFor(TextStyle::Caption));
        hint->setWordWrap(true);
        hint->setContentsMargins(16, 10, 16, 10);
        stack->addWidget(makeDivider(this));
        stack->addWidget(hint);
    }
    stack->addWidget(makeDivider(this));

    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(14, 14, 14, 14);
    footer->setSpacing(8);
    m_checkForUpdates = smallButton(tr("Check for Updates…"), this);
    m_checkForUpdates->setObjectName(QStringLiteral("checkForUpdates"));
    connect(m_checkForUpdates, &QPushButton::clicked, this, [this, &application] {
        // Updates show windows of their own, so Corvane becomes a regular, active program first.
        application.setActivationPolicy(ActivationPolicy::Regular);
        application.activateIgnoringOtherApps();
        m_updater.checkForUpdates();
    });
    auto* quit = smallButton(tr("Quit Corvane"), this);
    quit->setObjectName(QStringLiteral("quit"));
    connect(quit, &QPushButton::clicked, this, [&application] { application.terminate(); });
    // Where the program cannot check for itself, a disabled button would look broken: say instead
    // where updates come from.
    m_updatesNote = new QLabel(tr("Updated with your system"), this);
    m_updatesNote->setObjectName(QStringLiteral("updatesNote"));
    m_updatesNote->setFont(fontFor(TextStyle::Caption));
    m_updatesNote->setToolTip(tr("Corvane is installed and updated by your distribution's package manager."));
    footer->addWidget(m_checkForUpdates);
    footer->addWidget(m_updatesNote, 1);
    footer->addWidget(quit);
    stack->addLayout(footer);

    showUpdates(m_updater.canCheckForUpdates());
    connect(&m_updater, &UpdaterController::canCheckForUpdatesChanged, this, &MenuBarView::showUpdates);
    connect(&m_controller.trust(), &AccessTrust::isTrustedChanged, this, &MenuBarView::rebuildBody);
    connect(&m_controller.presets(), &PresetStore::presetsChanged, this, &MenuBarView::rebuildBody);
    if (m_agent)
        connect(m_agent, &DesktopAgent::stateChanged, this, &MenuBarView::rebuildBody);
    rebuildBody();
}

void MenuBarView::showUpdates(bool canCheck) {
    m_checkForUpdates->setVisible(canCheck);
    m_updatesNote->setVisible(!canCheck);
}

void MenuBarView::rebuildBody() {
    auto* stack = static_cast<QVBoxLayout*>(layout());
    QWidget* next = nullptr;
    if (m_agent && m_agent->state() != DesktopAgent::State::Running)
        next = makeAgentNotice();
    else if (m_controller.trust().isTrusted())
        next = makeLists();
    else
        next = new PermissionOverlay(m_controller.trust(), this);
    next->setObjectName(QStringLiteral("body"));
    QLayoutItem* old = stack->replaceWidget(stack->itemAt(2)->widget(), next);
    if (old) {
        old->widget()->deleteLater();
        delete old;
    }
}

QWidget* MenuBarView::makeAgentNotice() {
    auto* box = new QWidget(this);
    auto* stack = new QVBoxLayout(box);
    stack->setContentsMargins(16, 16, 16, 16);
    stack->addWidget(new DesktopAgentNotice(*m_agent, box));
    stack->addStretch();
    return box;
}

QWidget* MenuBarView::makeLists() {
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Only when the lists are longer than the panel: a bar over nothing to scroll is noise.
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* content = new QWidget(scroll);
    auto* lists = new QVBoxLayout(content);
    lists->setContentsMargins(0, 0, 0, 0);
    lists->setSpacing(0);

    const auto snap = [this](const QRectF& fraction) { m_controller.placer().snapFocusedWindow(fraction); };
    lists->addWidget(new SectionHeader(tr("QUICK SNAP"), content));
    QGridLayout* layouts = twoColumnGrid();
    const QList<SnapLayout>& builtIns = builtInLayouts();
    for (qsizetype i = 0; i < builtIns.size(); ++i) {
        auto* thumbnail = new SnapLayoutView(builtIns[i], snap, content);
        thumbnail->setToolTip(builtIns[i].name);
        thumbnail->followZoneSpacing(m_controller.zoneSpacing());
        layouts->addWidget(thumbnail, int(i / 2), int(i % 2));
    }
    lists->addLayout(layouts);

    QFrame* line = makeDivider(content);
    lists->addSpacing(4);
    lists->addWidget(line);
    lists->addSpacing(4);
    lists->addWidget(new SectionHeader(tr("SAVED PRESETS"), content));
    const QList<Preset>& presets = m_controller.presets().all();
    if (presets.isEmpty()) {
        auto* none = new QLabel(tr("No saved presets."), content);
        none->setFont(fontFor(TextStyle::Caption));
        useSecondaryText(none);
        none->setContentsMargins(16, 0, 16, 16);
        lists->addWidget(none);
    } else {
        QGridLayout* cells = twoColumnGrid();
        for (qsizetype i = 0; i < presets.size(); ++i)
            cells->addWidget(new PresetCell(presets[i], m_controller.placer(), content), int(i / 2),
                             int(i % 2));
        lists->addLayout(cells);
    }
    lists->addStretch();
    scroll->setWidget(content);
    return scroll;
}

} // namespace corvane
