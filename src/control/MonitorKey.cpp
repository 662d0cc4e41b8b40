#include "MonitorKey.h"

namespace corvane {

QString MonitorKey::of(const Screen& screen, const QList<Screen>& screens) {
    if (!screen.connector.isEmpty())
        return QStringLiteral("output:%1/%2").arg(screen.connector, screen.model);
    qsizetype place = 0;
    while (place < screens.size() && !screens[place].isSameScreen(screen))
        ++place;
    return QStringLiteral("place:%1").arg(place + 1);
}

} // namespace corvane
