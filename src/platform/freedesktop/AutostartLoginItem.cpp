#include "AutostartLoginItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace corvane {

namespace {

// The Exec rules for one argument: double-quoted when it holds a reserved character, with ", `, $ and
// \ escaped by a backslash inside the quotes; % doubled everywhere, as it starts a field code.
QString execArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted = argument;
    if (std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); })) {
        quoted = QStringLiteral("\"");
        for (QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        quoted += u'"';
    }
    return quoted.replace(u'%', QStringLiteral("%%"));
}

// The string rules every value is read through after that: a backslash is written as two (so a quoted
// one takes four), line breaks and tabs as \n, \t, \r.
QString stringValue(const QString& text) {
    QString value;
    for (QChar c : text) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
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
                                         "Icon=app.corvane.Corvane\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(stringValue(execArgument(m_executablePath)));
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
