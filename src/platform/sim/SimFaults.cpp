#include "SimFaults.h"

namespace corvane {

namespace {

std::optional<AxError> failureOf(const QHash<quint64, QHash<QString, AxError>>& failures, AxElement element,
                                 const QString& attribute) {
    const auto byAttribute = failures.constFind(element.handle);
    if (byAttribute == failures.cend() || !byAttribute->contains(attribute))
        return std::nullopt;
    return byAttribute->value(attribute);
}

} // namespace

void SimFaults::failAttribute(AxElement element, const QString& attribute, AxError error) {
    m_readFailures[element.handle].insert(attribute, error);
}

void SimFaults::failWrites(AxElement element, const QString& attribute, AxError error) {
    m_writeFailures[element.handle].insert(attribute, error);
}

void SimFaults::failPid(AxElement element, AxError error) {
    m_pidFailures.insert(element.handle, error);
}

void SimFaults::failElementAtPosition(AxError error) {
    m_elementAtPositionFailure = error == AxError::Success ? std::nullopt : std::optional(error);
}

void SimFaults::setUnresponsive(qint32 pid, bool isUnresponsive) {
    if (isUnresponsive)
        m_unresponsive.insert(pid);
    else
        m_unresponsive.remove(pid);
}

void SimFaults::setIgnoresWrites(quint32 window, bool ignores) {
    if (ignores)
        m_ignoringWrites.insert(window);
    else
        m_ignoringWrites.remove(window);
}

void SimFaults::setWindowListEntryValue(quint32 window, const QString& key, const QVariant& value) {
    m_entryOverrides[window].insert(key, value);
    emit m_windowServer.windowFrameChanged(window);
}

std::optional<AxError> SimFaults::readFailure(AxElement element, const QString& attribute) const {
    return failureOf(m_readFailures, element, attribute);
}

std::optional<AxError> SimFaults::writeFailure(AxElement element, const QString& attribute) const {
    return failureOf(m_writeFailures, element, attribute);
}

std::optional<AxError> SimFaults::pidFailure(AxElement element) const {
    const auto failure = m_pidFailures.constFind(element.handle);
    return failure == m_pidFailures.cend() ? std::nullopt : std::optional(*failure);
}

void SimFaults::damageEntry(quint32 window, QVariantMap& entry) const {
    const QHash<QString, QVariant> overrides = m_entryOverrides.value(window);
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) {
        if (it.value().isValid())
            entry.insert(it.key(), it.value());
        else
            entry.remove(it.key());
    }
}

} // namespace corvane
