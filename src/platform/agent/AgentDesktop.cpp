#include "AgentDesktop.h"

#include "platform/Events.h"
#include "platform/agent/AgentProtocolCheck.h"
#include "platform/common/Log.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>

namespace corvane {

namespace field = agentprotocol::field;
namespace event = agentprotocol::event;
// Far above any real desktop; a report past them is damaged.
using agentprotocol::bounds::kMaxCoordinate;
using agentprotocol::bounds::kMaxOutputs;
using agentprotocol::bounds::kMaxText;
using agentprotocol::bounds::kMaxWindows;

namespace {

bool isCoordinate(const QJsonValue& v) {
    return v.isDouble() && std::isfinite(v.toDouble()) && std::abs(v.toDouble()) <= kMaxCoordinate;
}

std::optional<QString> text(const QJsonObject& o, QLatin1StringView key) {
    const QJsonValue v = o.value(key);
    if (!v.isString() || v.toString().size() > kMaxText)
        return std::nullopt;
    return v.toString();
}

bool flag(const QJsonObject& o, QLatin1StringView key) {
    return o.value(key).toBool(false);
}

} // namespace

bool AgentWindow::isPlaceable() const {
    return isManaged && (isNormal || isDialog) && !isSpecial && !isDesktop && !isDock && !isNotification &&
           !isOnScreenDisplay && isOnCurrentDesktop && !isMinimized && isMoveable;
}

namespace agentreport {

std::optional<QRectF> rect(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    if (a.size() != 4 || !std::all_of(a.begin(), a.end(), isCoordinate))
        return std::nullopt;
    const QRectF r(a[0].toDouble(), a[1].toDouble(), a[2].toDouble(), a[3].toDouble());
    if (r.width() < 0 || r.height() < 0)
        return std::nullopt;
    return r;
}

std::optional<QPointF> point(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    if (a.size() != 2 || !isCoordinate(a[0]) || !isCoordinate(a[1]))
        return std::nullopt;
    return QPointF(a[0].toDouble(), a[1].toDouble());
}

std::optional<AgentWindow> window(const QJsonValue& value) {
    const QJsonObject o = value.toObject();
    const std::optional<QString> id = text(o, field::kId);
    const std::optional<QRectF> frame = rect(o.value(field::kFrame));
    const std::optional<QRectF> client = rect(o.value(field::kClient));
    const QJsonValue pid = o.value(field::kPid);
    if (!id || id->isEmpty() || !frame || !client || !pid.isDouble())
        return std::nullopt;
    AgentWindow w;
    w.id = *id;
    w.pid = qint32(std::clamp(pid.toDouble(), 0.0, double(std::numeric_limits<qint32>::max())));
    w.appClass = text(o, field::kAppClass).value_or(QString());
    w.caption = text(o, field::kCaption).value_or(QString());
    w.frame = *frame;
    w.client = *client;
    w.output = text(o, field::kOutput).value_or(QString());
    w.isNormal = flag(o, field::kNormal);
    w.isDialog = flag(o, field::kDialog);
    w.isSpecial = flag(o, field::kSpecial);
    w.isDesktop = flag(o, field::kDesktopWindow);
    w.isDock = flag(o, field::kDock);
    w.isNotification = flag(o, field::kNotification);
    w.isOnScreenDisplay = flag(o, field::kOnScreenDisplay);
    w.isOnCurrentDesktop = flag(o, field::kOnCurrentDesktop);
    w.isMinimized = flag(o, field::kMinimized);
    w.isFullScreen = flag(o, field::kFullScreen);
    w.isMoveable = flag(o, field::kMoveable);
    w.isResizeable = flag(o, field::kResizeable);
    w.isManaged = flag(o, field::kManaged);
    return w;
}

std::optional<AgentOutput> output(const QJsonValue& value) {
    const QJsonObject o = value.toObject();
    const std::optional<QString> name = text(o, field::kName);
    const std::optional<QRectF> frame = rect(o.value(field::kFrame));
    const std::optional<QRectF> workArea = rect(o.value(field::kWorkArea));
    if (!name || !frame || frame->isEmpty() || !workArea)
        return std::nullopt;
    const double scale = o.value(field::kScale).toDouble(1);
    // An agent that says nothing of a connector names the output by it.
    return AgentOutput{
        *name, text(o, field::kConnector).value_or(*name), text(o, field::kManufacturer).value_or(QString()),
        text(o, field::kModel).value_or(QString()), *frame,
        // A work area outside its output is the compositor's error, never a place to put windows.
        workArea->intersected(*frame).isEmpty() ? *frame : workArea->intersected(*frame),
        scale > 0 && scale <= agentprotocol::bounds::kMaxScale ? scale : 1};
}

std::optional<QList<AgentOutput>> outputs(const QJsonValue& value) {
    const QJsonArray list = value.toArray();
    if (list.size() > kMaxOutputs)
        return std::nullopt;
    QList<AgentOutput> outputs;
    for (const QJsonValue& o : list) {
        std::optional<AgentOutput> parsed = output(o);
        if (!parsed)
            return std::nullopt;
        outputs.append(*parsed);
    }
    return outputs;
}

std::optional<quint64> modifierFlags(const QJsonValue& value) {
    if (!value.isArray())
        return std::nullopt;
    quint64 flags = 0;
    for (const QJsonValue& key : value.toArray()) {
        if (!key.isString())
            return std::nullopt;
        const QString name = key.toString();
        if (name == agentprotocol::modifierkey::kControl)
            flags |= modifier::kControl;
        else if (name == agentprotocol::modifierkey::kAlt)
            flags |= modifier::kOption;
        else if (name == agentprotocol::modifierkey::kShift)
            flags |= modifier::kShift;
        else if (name == agentprotocol::modifierkey::kSuper)
            flags |= modifier::kCommand;
    }
    return flags;
}

} // namespace agentreport

std::optional<QJsonArray> AgentDesktop::events(const QString& report) {
    if (report.size() > kMaxReportBytes) {
        qCWarning(lcGeneral, "Agent: ignored a report of %lld bytes", qlonglong(report.size()));
        return std::nullopt;
    }
    const QJsonDocument document = QJsonDocument::fromJson(report.toUtf8());
    if (!document.isArray()) {
        qCWarning(lcGeneral, "Agent: ignored a report that is not a list");
        return std::nullopt;
    }
    // An event outside the protocol is an agent that drifted from it: dropped, and said so.
    QJsonArray events;
    for (const QJsonValue& value : document.array()) {
        if (const QString wrong = agentprotocol::eventViolation(value.toObject()); !wrong.isEmpty())
            qCWarning(lcGeneral, "Agent: ignored a report outside the protocol: %s", qPrintable(wrong));
        else
            events.append(value);
    }
    return events;
}

bool AgentDesktop::apply(const QJsonObject& event) {
    const QString type = event.value(field::kE).toString();
    // Pointer reports may tell the keys held with them.
    if (const QJsonValue held = event.value(field::kModifiers); !held.isUndefined()) {
        const std::optional<quint64> flags = agentreport::modifierFlags(held);
        if (!flags) {
            qCWarning(lcGeneral, "Agent: ignored a damaged or unknown report (%s)",
                      qPrintable(type.left(40)));
            return false;
        }
        m_modifierFlags = *flags;
    }
    bool isApplied = false;
    if (type == event::kSnapshot)
        isApplied = applySnapshot(event);
    else if (type == event::kWindow)
        isApplied = applyWindow(event);
    else if (type == event::kFrame)
        isApplied = applyFrame(event);
    else if (type == event::kRemoved || type == event::kGone)
        isApplied = applyRemoved(event);
    else if (type == event::kStacking)
        isApplied = applyStacking(event);
    else if (type == event::kOutputs)
        isApplied = applyOutputs(event);
    else if (type == event::kActive) {
        const QString id = event.value(field::kId).toString();
        m_active = m_numbers.value(id, 0);
        emit activeWindowChanged();
        isApplied = true;
    } else if (type == event::kMotion) {
        const std::optional<QPointF> cursor = agentreport::point(event.value(field::kCursor));
        if (cursor) {
            m_cursor = *cursor;
            emit pointerMoved(*cursor);
        }
        isApplied = cursor.has_value();
    } else if (type == event::kSynced) {
        emit synced(event.value(field::kN).toDouble());
        isApplied = true;
    } else {
        isApplied = applyMove(type, event);
    }
    if (!isApplied)
        qCWarning(lcGeneral, "Agent: ignored a damaged or unknown report (%s)", qPrintable(type.left(40)));
    return isApplied;
}

bool AgentDesktop::applySnapshot(const QJsonObject& event) {
    const QJsonArray windows = event.value(field::kWindows).toArray();
    const std::optional<QPointF> cursor = agentreport::point(event.value(field::kCursor));
    if (windows.size() > kMaxWindows || !cursor)
        return false;
    const std::optional<QList<AgentOutput>> newOutputs = agentreport::outputs(event.value(field::kOutputs));
    if (!newOutputs)
        return false;
    QList<AgentWindow> newWindows;
    for (const QJsonValue& w : windows) {
        std::optional<AgentWindow> window = agentreport::window(w);
        if (!window)
            return false;
        newWindows.append(*window);
    }
    QSet<quint32> present;
    for (AgentWindow& w : newWindows) {
        w.number = numberFor(w.id);
        present.insert(w.number);
    }
    const QList<quint32> before = m_windows.keys();
    for (quint32 number : before) {
        if (!present.contains(number)) {
            m_windows.remove(number);
            emit windowRemoved(number);
        }
    }
    const bool outputsChanged = *newOutputs != m_outputs;
    m_outputs = *newOutputs;
    m_cursor = *cursor;
    for (AgentWindow& w : newWindows)
        store(std::move(w));
    applyStacking(event);
    m_active = m_numbers.value(event.value(field::kActive).toString(), 0);
    m_hasSnapshot = true;
    if (outputsChanged)
        emit this->outputsChanged();
    emit activeWindowChanged();
    emit snapshotApplied();
    return true;
}

bool AgentDesktop::applyWindow(const QJsonObject& event) {
    std::optional<AgentWindow> window = agentreport::window(event.value(field::kWindow));
    if (!window || (m_windows.size() >= kMaxWindows && !m_numbers.contains(window->id)))
        return false;
    window->number = numberFor(window->id);
    store(std::move(*window));
    return true;
}

bool AgentDesktop::applyFrame(const QJsonObject& event) {
    const quint32 number = m_numbers.value(event.value(field::kId).toString(), 0);
    const std::optional<QRectF> frame = agentreport::rect(event.value(field::kFrame));
    const std::optional<QRectF> client = agentreport::rect(event.value(field::kClient));
    if (!frame || !client)
        return false;
    const auto it = m_windows.find(number);
    if (it == m_windows.end())
        return true; // a window we have not been told of yet: its own report carries its frame
    it->frame = *frame;
    it->client = *client;
    it->output = event.value(field::kOutput).toString().left(kMaxText);
    emit windowFrameChanged(number);
    return true;
}

bool AgentDesktop::applyRemoved(const QJsonObject& event) {
    const quint32 number = m_numbers.value(event.value(field::kId).toString(), 0);
    if (m_windows.remove(number) > 0) {
        m_stacking.removeAll(number);
        if (m_active == number)
            m_active = 0;
        emit windowRemoved(number);
    }
    return true;
}

bool AgentDesktop::applyStacking(const QJsonObject& event) {
    const QJsonArray ids = event.value(field::kStacking).toArray();
    if (ids.size() > kMaxWindows)
        return false;
    m_stacking.clear();
    for (const QJsonValue& id : ids) {
        const quint32 number = m_numbers.value(id.toString(), 0);
        if (m_windows.contains(number))
            m_stacking.append(number);
    }
    return true;
}

bool AgentDesktop::applyOutputs(const QJsonObject& event) {
    const std::optional<QList<AgentOutput>> newOutputs = agentreport::outputs(event.value(field::kOutputs));
    if (!newOutputs)
        return false;
    if (*newOutputs != m_outputs) {
        m_outputs = *newOutputs;
        emit outputsChanged();
    }
    return true;
}

bool AgentDesktop::applyMove(const QString& type, const QJsonObject& event) {
    const std::optional<QPointF> cursor = agentreport::point(event.value(field::kCursor));
    if (!cursor)
        return false;
    m_cursor = *cursor;
    if (type == event::kMoveStarted) {
        const quint32 number = m_numbers.value(event.value(field::kId).toString(), 0);
        if (m_windows.contains(number))
            emit moveStarted(number, *cursor);
        return true;
    }
    if (type == event::kMoveStep) {
        // The moved window's frame, which is reported at no other step of a move. The step is told first,
        // with the keys held at it, and then the frame: what follows the frame knows those keys already.
        const auto it = m_windows.find(m_numbers.value(event.value(field::kId).toString(), 0));
        const std::optional<QRectF> frame = agentreport::rect(event.value(field::kFrame));
        const bool isChanged = frame && it != m_windows.end() && it->frame != *frame;
        if (isChanged)
            it->frame = *frame;
        emit moveStepped(*cursor);
        if (isChanged)
            emit windowFrameChanged(it->number);
        return true;
    }
    if (type == event::kMoveFinished) {
        emit moveFinished(*cursor);
        return true;
    }
    return false;
}

bool AgentDesktop::store(AgentWindow window) {
    const quint32 number = window.number;
    const auto it = m_windows.find(number);
    if (it == m_windows.end()) {
        m_windows.emplace(number, std::move(window));
        emit windowAdded(number);
        return true;
    }
    const bool frameChanged = it->frame != window.frame;
    *it = std::move(window);
    emit windowChanged(number);
    if (frameChanged)
        emit windowFrameChanged(number);
    return false;
}

quint32 AgentDesktop::numberFor(const QString& id) {
    const auto it = m_numbers.constFind(id);
    if (it != m_numbers.cend())
        return *it;
    const quint32 number = m_nextNumber++;
    m_numbers.insert(id, number);
    return number;
}

QList<const AgentWindow*> AgentDesktop::windowsFrontToBack() const {
    QList<const AgentWindow*> list;
    for (auto it = m_stacking.crbegin(); it != m_stacking.crend(); ++it) {
        if (const auto w = m_windows.constFind(*it); w != m_windows.cend())
            list.append(&*w);
    }
    // Windows the compositor has not stacked yet (just added) go behind the rest.
    for (const AgentWindow& w : m_windows) {
        if (!m_stacking.contains(w.number))
            list.append(&w);
    }
    return list;
}

const AgentWindow* AgentDesktop::window(quint32 number) const {
    const auto it = m_windows.constFind(number);
    return it == m_windows.cend() ? nullptr : &*it;
}

const AgentWindow* AgentDesktop::windowById(const QString& id) const {
    return window(m_numbers.value(id, 0));
}

const AgentWindow* AgentDesktop::activeWindow() const {
    return window(m_active);
}

const AgentWindow* AgentDesktop::focusedWindowOf(qint32 pid) const {
    // A compositor may keep a window active when it is sent to another desktop: the user no longer sees it.
    if (const AgentWindow* active = activeWindow();
        active && active->pid == pid && active->isOnCurrentDesktop)
        return active;
    for (const AgentWindow* w : windowsFrontToBack()) {
        if (w->pid == pid && w->isPlaceable())
            return w;
    }
    return nullptr;
}

void AgentDesktop::reset() {
    const QList<quint32> numbers = m_windows.keys();
    m_windows.clear();
    m_stacking.clear();
    m_active = 0;
    m_hasSnapshot = false;
    for (quint32 number : numbers)
        emit windowRemoved(number);
}

} // namespace corvane
