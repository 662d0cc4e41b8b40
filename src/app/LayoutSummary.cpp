#include "LayoutSummary.h"

#include <QDBusMetaType>

namespace corvane {

QDBusArgument& operator<<(QDBusArgument& argument, const LayoutSummary& layout) {
    argument.beginStructure();
    argument << layout.name << layout.zoneCount;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, LayoutSummary& layout) {
    argument.beginStructure();
    argument >> layout.name >> layout.zoneCount;
    argument.endStructure();
    return argument;
}

void registerLayoutSummaryType() {
    qDBusRegisterMetaType<LayoutSummary>();
    qDBusRegisterMetaType<QList<LayoutSummary>>();
}

} // namespace corvane
