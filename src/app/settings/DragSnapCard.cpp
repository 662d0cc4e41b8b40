#include "DragSnapCard.h"

#include "app/settings/EdgeTilingOffer.h"
#include "app/settings/MonitorMap.h"
#include "app/settings/SettingsWidgets.h"
#include "control/MonitorKey.h"
#include "control/WindowController.h"
#include "dragsnap/DragSnapSettings.h"
#include "platform/EdgeTiling.h"
#include "ui/SnapLayoutView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

DragSnapCard::DragSnapCard(WindowController& controller, DragSnapSettings& dragSnap, EdgeTiling* edgeTiling,
                           QWidget* parent)
    : SettingsCard(title(), parent)
    , m_controller(controller)
    , m_dragSnap(dragSnap) {
    m_toggle = new QCheckBox(tr("Preview a snap while dragging a window"), this);
    m_toggle->setObjectName(QStringLiteral("dragSnapToggle"));
    connect(m_toggle, &QCheckBox::clicked, &m_dragSnap, &DragSnapSettings::setEnabled);
    rows()->addWidget(m_toggle);

    m_details = new QWidget(this);
    m_details->setObjectName(QStringLiteral("dragSnapDetails"));
    auto* details = new QVBoxLayout(m_details);
    details->setContentsMargins(0, 0, 0, 0);
    details->setSpacing(10);
    m_layout = makePicker(140, tr("Drag to snap layout"), m_details);
    m_layout->setObjectName(QStringLiteral("dragSnapLayout"));
    connect(m_layout, &QComboBox::activated, this,
            [this](int index) { m_dragSnap.setLayoutName(m_layout->itemText(index)); });
    details->addLayout(labelledRow(makeLabel(tr("Layout"), TextStyle::Body, m_details), m_layout));
    details->addWidget(
        makeExplanation(tr("A monitor can have a layout of its own: click it to choose one."), m_details));
    m_monitorMap = new MonitorMap(m_details);
    m_monitorMap->setObjectName(QStringLiteral("monitorMap"));
    connect(m_monitorMap, &MonitorMap::monitorClicked, this, [this](qsizetype index) {
        const QList<Screen> monitors = m_dragSnap.monitors();
        m_chosenMonitorKey = MonitorKey::of(monitors.value(index), monitors);
        refresh();
    });
    details->addWidget(m_monitorMap);
    m_monitorLabel = makeLabel(QString(), TextStyle::Body, m_details);
    m_monitorLayout = makePicker(140, tr("Layout of the chosen monitor"), m_details);
    m_monitorLayout->setObjectName(QStringLiteral("monitorLayout"));
    connect(m_monitorLayout, &QComboBox::activated, this, [this](int index) {
        if (const std::optional<Screen> monitor = chosenMonitor())
            m_dragSnap.setMonitorLayoutName(MonitorKey::of(*monitor, m_dragSnap.monitors()),
                                            m_monitorLayout->itemData(index).toString());
    });
    details->addLayout(labelledRow(m_monitorLabel, m_monitorLayout));
    m_trigger = makePicker(180, tr("Show preview"), m_details);
    m_trigger->setObjectName(QStringLiteral("trigger"));
    m_trigger->addItem(tr("Anywhere on screen"), QVariant::fromValue(DragSnapSettings::Trigger::Anywhere));
    m_trigger->addItem(tr("Near screen edges"), QVariant::fromValue(DragSnapSettings::Trigger::ScreenEdges));
    connect(m_trigger, &QComboBox::activated, this, [this](int index) {
        m_dragSnap.setTrigger(m_trigger->itemData(index).value<DragSnapSettings::Trigger>());
    });
    details->addLayout(labelledRow(makeLabel(tr("Show preview"), TextStyle::Body, m_details), m_trigger));
    m_spanKey = makePicker(140, tr("Span zones with"), m_details);
    m_spanKey->setObjectName(QStringLiteral("spanKey"));
    m_spanKey->addItem(tr("Control"), QVariant::fromValue(DragSnapSettings::SpanKey::Control));
    m_spanKey->addItem(tr("Alt"), QVariant::fromValue(DragSnapSettings::SpanKey::Alt));
    m_spanKey->addItem(tr("Shift"), QVariant::fromValue(DragSnapSettings::SpanKey::Shift));
    connect(m_spanKey, &QComboBox::activated, this, [this](int index) {
        m_dragSnap.setSpanKey(m_spanKey->itemData(index).value<DragSnapSettings::SpanKey>());
    });
    details->addLayout(labelledRow(makeLabel(tr("Span zones with"), TextStyle::Body, m_details), m_spanKey));
    m_restoreSize = new QCheckBox(tr("Restore a window's size when you drag it out of its zone"), m_details);
    m_restoreSize->setObjectName(QStringLiteral("restoreSize"));
    connect(m_restoreSize, &QCheckBox::clicked, &m_dragSnap, &DragSnapSettings::setRestoresSizeOnDrag);
    details->addWidget(m_restoreSize);
    m_topPalette =
        new QCheckBox(tr("Show the layouts when you drag a window to the top of a screen"), m_details);
    m_topPalette->setObjectName(QStringLiteral("topPalette"));
    connect(m_topPalette, &QCheckBox::clicked, &m_dragSnap, &DragSnapSettings::setShowsTopPalette);
    details->addWidget(m_topPalette);
    m_swap = new QCheckBox(tr("Swap places with the window already in the zone you drop or pick"), m_details);
    m_swap->setObjectName(QStringLiteral("swapOnDrop"));
    connect(m_swap, &QCheckBox::clicked, &m_dragSnap, &DragSnapSettings::setSwapsOnDrop);
    details->addWidget(m_swap);
    details->addWidget(makeDivider(m_details));
    m_thumbnailSlot = new QVBoxLayout;
    m_thumbnailSlot->setContentsMargins(0, 0, 0, 0);
    details->addLayout(m_thumbnailSlot);
    m_keysNote = makeExplanation(QString(), m_details);
    m_keysNote->setObjectName(QStringLiteral("dragKeysNote"));
    details->addWidget(m_keysNote);
    if (edgeTiling && !edgeTiling->mayTurnOff()) {
        QLabel* edges = makeExplanation(edgeTilingNote(), m_details);
        edges->setObjectName(QStringLiteral("edgeTilingNote"));
        details->addWidget(edges);
    }
    rows()->addWidget(m_details);
    // Outside the rows drag to snap hides: turned off, it may give the edges back.
    if (edgeTiling && edgeTiling->mayTurnOff())
        rows()->addWidget(new EdgeTilingOffer(*edgeTiling, m_dragSnap, this));

    connect(&m_dragSnap, &DragSnapSettings::isEnabledChanged, this, &DragSnapCard::refresh);
    connect(&m_dragSnap, &DragSnapSettings::layoutNameChanged, this, &DragSnapCard::refresh);
    connect(&m_dragSnap, &DragSnapSettings::monitorLayoutsChanged, this, &DragSnapCard::refresh);
    connect(&m_dragSnap, &DragSnapSettings::triggerChanged, this, &DragSnapCard::refresh);
    connect(&m_dragSnap, &DragSnapSettings::spanKeyChanged, this, &DragSnapCard::refresh);
    connect(&m_dragSnap, &DragSnapSettings::restoresSizeOnDragChanged, this, &DragSnapCard::refresh);
    connect(&m_dragSnap, &DragSnapSettings::showsTopPaletteChanged, this, &DragSnapCard::refresh);
    connect(&m_dragSnap, &DragSnapSettings::swapsOnDropChanged, this, &DragSnapCard::refresh);
    connect(&m_controller.presets(), &PresetStore::presetsChanged, this, &DragSnapCard::refresh);
    refresh();
}

QString DragSnapCard::edgeTilingNote() {
    return tr("KDE Plasma also tiles or maximizes a window dropped at a screen edge. Where Corvane shows a "
              "zone, Corvane's drop wins. To leave the edges to Corvane, turn off \u201cMaximize\u201d and "
              "\u201cTile\u201d in System Settings, Screen Edges.");
}

void DragSnapCard::refresh() {
    m_toggle->setChecked(m_dragSnap.isEnabled());
    m_details->setVisible(m_dragSnap.isEnabled());
    QStringList names = builtInLayoutNames();
    for (const Preset& preset : m_controller.presets().all()) {
        if (preset.rows)
            names.append(preset.name);
    }
    setOptions(m_layout, names, m_dragSnap.layoutName());
    refreshMonitors();
    if (const std::optional<Screen> monitor = chosenMonitor())
        setOptions(m_monitorLayout, names,
                   m_dragSnap.monitorLayoutNames().value(MonitorKey::of(*monitor, m_dragSnap.monitors())),
                   tr("Same as all"));
    const QSignalBlocker quiet(m_trigger);
    m_trigger->setCurrentIndex(m_trigger->findData(QVariant::fromValue(m_dragSnap.trigger())));
    const QSignalBlocker quietKey(m_spanKey);
    const int key = m_spanKey->findData(QVariant::fromValue(m_dragSnap.spanKey()));
    m_spanKey->setCurrentIndex(key);
    m_keysNote->setText(tr("Hold %1 while dragging across zones to span them. Hold Super to place a window "
                           "freely.")
                            .arg(m_spanKey->itemText(key)));
    m_restoreSize->setChecked(m_dragSnap.restoresSizeOnDrag());
    m_topPalette->setChecked(m_dragSnap.showsTopPalette());
    m_swap->setChecked(m_dragSnap.swapsOnDrop());
    refreshThumbnail();
}

std::optional<Screen> DragSnapCard::chosenMonitor() const {
    const QList<Screen> monitors = m_dragSnap.monitors();
    for (const Screen& monitor : monitors) {
        if (MonitorKey::of(monitor, monitors) == m_chosenMonitorKey)
            return monitor;
    }
    return monitors.isEmpty() ? std::nullopt : std::optional(monitors.first());
}

void DragSnapCard::refreshMonitors() {
    const QList<Screen> monitors = m_dragSnap.monitors();
    const std::optional<Screen> chosen = chosenMonitor();
    qsizetype index = 0;
    while (chosen && index < monitors.size() && !monitors[index].isSameScreen(*chosen))
        ++index;
    QStringList layouts;
    for (const Screen& monitor : monitors)
        layouts.append(m_dragSnap.layoutNameFor(monitor));
    m_monitorMap->setMonitors(monitors, layouts, index);
    m_monitorLabel->setText(chosen ? tr("On %1").arg(chosen->name) : QString());
    m_monitorLayout->setEnabled(chosen.has_value());
}

void DragSnapCard::refreshThumbnail() {
    if (m_thumbnail) {
        m_thumbnail->deleteLater();
        m_thumbnail = nullptr;
    }
    const std::optional<Screen> monitor = chosenMonitor();
    const std::optional<SnapLayout> layout =
        m_controller.presets().layout(monitor ? m_dragSnap.layoutNameFor(*monitor) : m_dragSnap.layoutName());
    if (!layout)
        return;
    auto* thumbnail = new SnapLayoutView(
        *layout, [this](const QRectF& fraction) { m_controller.placer().snapFocusedWindow(fraction); },
        m_details);
    thumbnail->followZoneSpacing(m_controller.zoneSpacing());
    m_thumbnail = thumbnail;
    m_thumbnail->setObjectName(QStringLiteral("dragSnapThumbnail"));
    m_thumbnail->setFixedHeight(55);
    m_thumbnail->setToolTip(layout->name);
    m_thumbnailSlot->addWidget(m_thumbnail);
}

} // namespace corvane
