#include "ExcludedApplications.h"

namespace corvane {

namespace {
constexpr auto kNamesKey = "excludedApplications";

// The names stored; anything that is no name is dropped, and a damaged list reads as empty.
QStringList namesIn(const Defaults& defaults) {
    QStringList names;
    for (const QVariant& value : defaults.array(kNamesKey).value_or(QVariantList())) {
        if (value.typeId() == QMetaType::QString && !value.toString().isEmpty() &&
            !names.contains(value.toString()))
            names.append(value.toString());
    }
    return names;
}
} // namespace

ExcludedApplications::ExcludedApplications(Platform& platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_names(namesIn(platform.defaults)) {}

bool ExcludedApplications::isWindowExcluded(AxElement window) const {
    // An empty list asks the desktop nothing: this runs at every press that may start a drag.
    if (m_names.isEmpty())
        return false;
    const PidResult owner = m_platform.accessibility.pidOfElement(window);
    if (owner.error != AxError::Success)
        return false;
    for (const RunningApplication& application : m_platform.workspace.runningApplications()) {
        if (application.pid == owner.pid)
            return isExcluded(application);
    }
    return false;
}

void ExcludedApplications::add(const QString& name) {
    if (name.isEmpty() || m_names.contains(name))
        return;
    m_names.append(name);
    store();
}

void ExcludedApplications::remove(const QString& name) {
    if (m_names.removeAll(name) > 0)
        store();
}

void ExcludedApplications::store() {
    m_platform.defaults.setObject(kNamesKey, QVariant(QVariantList(m_names.cbegin(), m_names.cend())));
    emit namesChanged();
}

} // namespace corvane
