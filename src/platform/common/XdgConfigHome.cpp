#include "XdgConfigHome.h"

#include <QDir>

namespace corvane {

QString xdgConfigHome() {
    const QString set = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!set.isEmpty() && QDir::isAbsolutePath(set))
        return QDir::cleanPath(set);
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace corvane
