#pragma once
// What the simulated desktop was asked to do, in order and stamped with the manual clock, so tests
// can assert whole sequences (writes and activations) and not just end states.

#include "platform/Accessibility.h"

#include <QList>

namespace corvane {

struct SimAction {
    enum class Kind { ReadAttribute, WriteAttribute, Activate, PerformAction };

    Kind kind = Kind::WriteAttribute;
    double time = 0;
    AxElement element;
    QString attribute;    // or the action performed
    AttributeValue value; // written, or read
    AxError result = AxError::Success;
    qint32 pid = 0;     // the application activated
    quint32 window = 0; // the window an action was performed on

    // A compact text for sequence assertions: "write AXSize 800x600", "activate 101", "AXRaise 3" (the
    // window's number).
    QString summary() const;
};

class SimActionLog {
public:
    void append(SimAction action) { m_actions.append(std::move(action)); }
    const QList<SimAction>& actions() const { return m_actions; }
    void clear() { m_actions.clear(); }

    // The summaries of the actions of the given kinds, in order.
    QStringList summaries(std::initializer_list<SimAction::Kind> kinds) const;
    // Writes, activations and actions: what changed the desktop. Writes of the remembered frame are
    // left out, as they move nothing; tests of it read the window's remembered frame.
    QStringList effects() const;

private:
    QList<SimAction> m_actions;
};

QString describe(const AttributeValue& value);

} // namespace corvane
