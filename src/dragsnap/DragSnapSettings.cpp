#include "DragSnapSettings.h"

#include "control/MonitorKey.h"
#include "model/BuiltInLayouts.h"

namespace corvane {

namespace {
constexpr auto kEnabledKey = "dragSnapEnabled";
constexpr auto kLayoutNameKey = "dragSnapLayoutName";
constexpr auto kTriggerKey = "dragSnapTrigger";
constexpr auto kRestoresSizeKey = "dragSnapRestoresSize";
constexpr auto kSpanKeyKey = "dragSnapSpanKey";
constexpr auto kMonitorLayoutsKey = "dragSnapMonitorLayouts";
constexpr auto kTopPaletteKey = "dragSnapTopPalette";
constexpr auto kSwapsKey = "dragSnapSwaps";

// What is stored, less what is no layout name: a damaged dictionary gives every monitor the default.
QMap<QString, QString> monitorLayoutNamesIn(const Defaults& defaults) {
    QMap<QString, QString> names;
    const QVariantMap stored = defaults.dictionary(kMonitorLayoutsKey).value_or(QVariantMap());
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (it.value().typeId() == QMetaType::QString && !it.value().toString().isEmpty())
            names.insert(it.key(), it.value().toString());
    }
    return names;
}
} // namespace

QString DragSnapSettings::rawValue(Trigger trigger) {
    return trigger == Trigger::ScreenEdges ? QStringLiteral("screenEdges") : QStringLiteral("anywhere");
}

DragSnapSettings::Trigger DragSnapSettings::triggerFromRawValue(const QString& raw) {
    return raw == QLatin1String("screenEdges") ? Trigger::ScreenEdges : Trigger::Anywhere;
}

QString DragSnapSettings::rawValue(SpanKey key) {
    switch (key) {
    case SpanKey::Alt:
        return QStringLiteral("alt");
    case SpanKey::Shift:
        return QStringLiteral("shift");
    case SpanKey::Control:
        break;
    }
    return QStringLiteral("control");
}

DragSnapSettings::SpanKey DragSnapSettings::spanKeyFromRawValue(const QString& raw) {
    if (raw == QLatin1String("alt"))
        return SpanKey::Alt;
    return raw == QLatin1String("shift") ? SpanKey::Shift : SpanKey::Control;
}

quint64 DragSnapSettings::modifierFlag(SpanKey key) {
    switch (key) {
    case SpanKey::Alt:
        return modifier::kOption;
    case SpanKey::Shift:
        return modifier::kShift;
    case SpanKey::Control:
        break;
    }
    return modifier::kControl;
}

DragSnapSettings::DragSnapSettings(Platform& platform, FeatureMonitor& monitor, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_monitor(monitor)
    , m_isEnabled(platform.defaults.boolean(kEnabledKey).value_or(false))
    , m_layoutName(platform.defaults.string(kLayoutNameKey).value_or(QStringLiteral("Quadrant")))
    , m_monitorLayoutNames(monitorLayoutNamesIn(platform.defaults))
    , m_trigger(triggerFromRawValue(platform.defaults.string(kTriggerKey).value_or(QString())))
    , m_spanKey(spanKeyFromRawValue(platform.defaults.string(kSpanKeyKey).value_or(QString())))
    , m_restoresSizeOnDrag(platform.defaults.boolean(kRestoresSizeKey).value_or(false))
    , m_showsTopPalette(platform.defaults.boolean(kTopPaletteKey)
                            .value_or(!platform.capabilities.testFlag(Capability::MaximizeButtonPalette)))
    , m_swapsOnDrop(platform.defaults.boolean(kSwapsKey).value_or(false)) {
    connect(&platform.application, &Application::screenParametersDidChange, this,
            &DragSnapSettings::monitorLayoutsChanged);
}

// Deliberately, every assignment writes (and setEnabled re-applies the start rule) even when the
// value is unchanged: the stored value then always matches what the user last chose.
void DragSnapSettings::setEnabled(bool isEnabled) {
    const bool isChange = isEnabled != m_isEnabled;
    m_isEnabled = isEnabled;
    if (isChange)
        emit isEnabledChanged(isEnabled);
    m_platform.defaults.setBool(kEnabledKey, isEnabled);
    applyStartRule();
}

void DragSnapSettings::setLayoutName(const QString& name) {
    const bool isChange = name != m_layoutName;
    m_layoutName = name;
    if (isChange)
        emit layoutNameChanged(name);
    m_platform.defaults.setString(kLayoutNameKey, name);
}

QString DragSnapSettings::layoutNameFor(const Screen& screen) const {
    // Without monitors of their own, no screen list to read on each drag event.
    if (m_monitorLayoutNames.isEmpty())
        return m_layoutName;
    return m_monitorLayoutNames.value(MonitorKey::of(screen, monitors()), m_layoutName);
}

void DragSnapSettings::setMonitorLayoutName(const QString& monitorKey, const QString& name) {
    if (name.isEmpty())
        m_monitorLayoutNames.remove(monitorKey);
    else
        m_monitorLayoutNames.insert(monitorKey, name);
    QVariantMap stored;
    for (auto it = m_monitorLayoutNames.cbegin(); it != m_monitorLayoutNames.cend(); ++it)
        stored.insert(it.key(), it.value());
    m_platform.defaults.setObject(kMonitorLayoutsKey, stored);
    emit monitorLayoutsChanged();
}

void DragSnapSettings::setTrigger(Trigger trigger) {
    const bool isChange = trigger != m_trigger;
    m_trigger = trigger;
    if (isChange)
        emit triggerChanged(trigger);
    m_platform.defaults.setString(kTriggerKey, rawValue(trigger));
}

void DragSnapSettings::setSpanKey(SpanKey key) {
    const bool isChange = key != m_spanKey;
    m_spanKey = key;
    if (isChange)
        emit spanKeyChanged(key);
    m_platform.defaults.setString(kSpanKeyKey, rawValue(key));
}

void DragSnapSettings::setRestoresSizeOnDrag(bool restores) {
    const bool isChange = restores != m_restoresSizeOnDrag;
    m_restoresSizeOnDrag = restores;
    if (isChange)
        emit restoresSizeOnDragChanged(restores);
    m_platform.defaults.setBool(kRestoresSizeKey, restores);
}

void DragSnapSettings::setShowsTopPalette(bool shows) {
    const bool isChange = shows != m_showsTopPalette;
    m_showsTopPalette = shows;
    if (isChange)
        emit showsTopPaletteChanged(shows);
    m_platform.defaults.setBool(kTopPaletteKey, shows);
}

void DragSnapSettings::setSwapsOnDrop(bool swaps) {
    const bool isChange = swaps != m_swapsOnDrop;
    m_swapsOnDrop = swaps;
    if (isChange)
        emit swapsOnDropChanged(swaps);
    m_platform.defaults.setBool(kSwapsKey, swaps);
}

// A desktop that shows no window being dragged gets no monitor, whatever the stored choice (kept for
// the desktops that do).
void DragSnapSettings::applyStartRule() {
    applyMonitorStartRule(m_isEnabled && m_platform.capabilities.testFlag(Capability::DragObservation),
                          m_platform.accessibility.isProcessTrusted(), m_monitor);
}

void DragSnapSettings::releaseLayoutName(const QString& deletedName) {
    const QString fallback = builtInLayouts().first().name;
    if (deletedName == m_layoutName)
        setLayoutName(fallback);
    for (const QString& key : m_monitorLayoutNames.keys(deletedName))
        setMonitorLayoutName(key, fallback);
}

} // namespace corvane
