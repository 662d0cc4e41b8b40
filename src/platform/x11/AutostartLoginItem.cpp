#include "AutostartLoginItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace corvane {

namespace {

// Quoting of the Exec key: arguments with spaces or reserved characters are double-quoted, with
// ", `, $ and \ escaped by a backslash.
QString quotedExec(const QString& path) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (std::none_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); }))
        return path;
    QString out = QStringLiteral("\"");
    for (QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

} // namespace

AutostartLoginItem::AutostartLoginItem(QString entryPath, QString executablePath)
    : m_entryPath(std::move(entryPath))
    , m_executablePath(std::move(executablePath)) {}

LoginItemStatus AutostartLoginItem::status() {
    QFile file(m_entryPath);
    if (!file.open(QIODevice::ReadOnly))
        return LoginItemStatus::NotRegistered;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false")
            return LoginItemStatus::NotRegistered;
    }
    return LoginItemStatus::Enabled;
}

LoginItemResult AutostartLoginItem::registerItem() {
    if (!QDir().mkpath(QFileInfo(m_entryPath).absolutePath()))
        return {false, QStringLiteral("Could not create the folder of %1").arg(m_entryPath)};
    QSaveFile file(m_entryPath);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Corvane\n"
                                         "Comment=Snap windows into layouts\n"
                                         "Exec=%1\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(quotedExec(m_executablePath));
    file.write(entry.toUtf8());
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

LoginItemResult AutostartLoginItem::unregisterItem() {
    QFile file(m_entryPath);
    if (!file.exists())
        return {};
    if (!file.remove())
        return {false, file.errorString()};
    return {};
}

} // namespace corvane
