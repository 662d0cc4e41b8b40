#pragma once
// One entry of the layout list that app.corvane.Corvane1's ListLayouts answers, and its form on the
// bus, (su): the service sends it and the command line reads it.

#include <QDBusArgument>
#include <QMetaType>
#include <QString>

namespace corvane {

// A layout's name and how many zones it has; a size preset has none.
struct LayoutSummary {
    QString name;
    quint32 zoneCount = 0;
    friend bool operator==(const LayoutSummary&, const LayoutSummary&) = default;
};

QDBusArgument& operator<<(QDBusArgument& argument, const LayoutSummary& layout);
const QDBusArgument& operator>>(const QDBusArgument& argument, LayoutSummary& layout);
// Makes a(su) known to Qt's D-Bus, before an object that sends it is served or a reply read.
void registerLayoutSummaryType();

} // namespace corvane

Q_DECLARE_METATYPE(corvane::LayoutSummary)
