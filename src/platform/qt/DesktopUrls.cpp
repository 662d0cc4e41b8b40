#include "DesktopUrls.h"

#include "platform/Workspace.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace corvane {

namespace {

QString installedReadme() {
    const QFileInfo readme(QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral("../share/doc/corvane/README.md")));
    return readme.isFile() ? readme.canonicalFilePath() : QString();
}

} // namespace

bool openDesktopUrl(const QString& url) {
    if (url != QLatin1String(kAccessibilitySettingsUrl))
        return QDesktopServices::openUrl(QUrl(url));
    const QString readme = installedReadme();
    return !readme.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(readme));
}

bool canOpenDesktopUrl(const QString& url) {
    return url != QLatin1String(kAccessibilitySettingsUrl) || !installedReadme().isEmpty();
}

} // namespace corvane
