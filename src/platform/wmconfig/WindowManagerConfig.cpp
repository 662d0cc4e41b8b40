#include "WindowManagerConfig.h"

#include "platform/common/BoundedFile.h"
#include "platform/common/XdgConfigHome.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <functional>

namespace corvane {

namespace {

QStringList inEach(const QStringList& folders, const QString& relative) {
    QStringList paths;
    for (const QString& folder : folders)
        paths.append(QDir(folder).filePath(relative));
    return paths;
}

QStringList pathList(const char* variable, const QStringList& fallback) {
    const QStringList set = qEnvironmentVariable(variable).split(':', Qt::SkipEmptyParts);
    return set.isEmpty() ? fallback : set;
}

QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        line = line.trimmed();
    return lines;
}

// The theme IceWM uses: Theme="name/file.theme" in the first "theme" file that names one, found in
// the first folder that holds it.
QString icewmThemeFile(const QStringList& folders) {
    QString theme = QStringLiteral("default/default.theme");
    for (const QString& path : inEach(folders, QStringLiteral("theme"))) {
        const BoundedFile file = readBoundedFile(path);
        if (!file.isRead())
            continue; // as if missing: the next folder, else the default theme
        if (const std::optional<QString> named = assignedValue(file.bytes, QStringLiteral("Theme"))) {
            theme = *named;
            break;
        }
    }
    for (const QString& path : inEach(folders, QStringLiteral("themes/") + theme)) {
        if (QFile::exists(path))
            return path;
    }
    return {};
}

} // namespace

WindowManager windowManagerNamed(const QString& name) {
    // Marco calls itself "Metacity (Marco)": it is looked for first.
    static const QList<std::pair<QString, WindowManager>> names{
        {"marco", WindowManager::Marco},   {"openbox", WindowManager::Openbox},
        {"xfwm", WindowManager::Xfwm},     {"metacity", WindowManager::Metacity},
        {"mutter", WindowManager::Mutter}, {"gnome shell", WindowManager::Mutter},
        {"kwin", WindowManager::KWin},     {"fluxbox", WindowManager::Fluxbox},
        {"icewm", WindowManager::IceWM}};
    const QString lower = name.toLower();
    for (const auto& [part, wm] : names) {
        if (lower.contains(part))
            return wm;
    }
    return WindowManager::Unknown;
}

ButtonMetrics buttonMetrics(WindowManager wm) {
    switch (wm) {
    case WindowManager::Openbox: // Clearlooks: 12 x 12 in a 19-pixel title bar
        return {.top = 4, .bottomInset = 4, .edge = 5, .spacing = 4};
    case WindowManager::Xfwm: // Default: 21 x 21 in a 29-pixel top extent
        return {.top = 5, .bottomInset = 3, .edge = 5, .spacing = 2};
    case WindowManager::Metacity: // the GTK theme's round buttons, 28 x 28 in a 37-pixel title bar
    case WindowManager::Mutter:
        return {.top = 4, .bottomInset = 5, .edge = 4, .spacing = 6};
    case WindowManager::Marco: // Menta: 16 x 17 in a 23-pixel top extent
        return {.top = 3, .bottomInset = 3, .edge = 5, .spacing = 3, .width = 16};
    case WindowManager::Fluxbox: // Squared_for_Debian: 16 x 11 patches, the close one 15 wide
        return {.top = 4, .bottomInset = 5, .edge = 3, .spacing = 1, .width = 16, .closeWidth = 15};
    case WindowManager::IceWM: // default: 20 pixels wide, close 28, the full 19-pixel title bar
        return {.top = 5, .bottomInset = 0, .edge = 5, .spacing = 0, .width = 20, .closeWidth = 28};
    case WindowManager::KWin: // Breeze: 24 x 24 in a 41-pixel title bar
        return {.top = 8, .bottomInset = 9, .edge = 8, .spacing = 10};
    case WindowManager::Unknown:
        break;
    }
    return {.top = 3, .bottomInset = 3, .edge = 4, .spacing = 3};
}

ButtonLayout stockLayout(WindowManager wm) {
    switch (wm) {
    case WindowManager::Metacity:
    case WindowManager::Mutter:
        return gnomeLayout(QStringLiteral("appmenu:close"));
    case WindowManager::Marco:
        return gnomeLayout(QStringLiteral("menu:minimize,maximize,close"));
    case WindowManager::Unknown:
        return fallbackLayout();
    default:
        return layoutFromFiles(wm, {});
    }
}

ConfigFolders ConfigFolders::fromEnvironment() {
    ConfigFolders f;
    f.home = QDir::homePath();
    f.configHome = xdgConfigHome();
    f.configDirs = pathList("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    f.dataDirs =
        pathList("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    f.icewmPrivate = qEnvironmentVariable("ICEWM_PRIVCFG", f.home + QStringLiteral("/.icewm"));
    return f;
}

QStringList layoutFiles(WindowManager wm, const ConfigFolders& folders, const QString& openboxConfigFile) {
    switch (wm) {
    case WindowManager::Openbox:
        if (!openboxConfigFile.isEmpty())
            return {openboxConfigFile};
        return inEach(QStringList{folders.configHome} + folders.configDirs, QStringLiteral("openbox/rc.xml"));
    case WindowManager::Xfwm: // what xfwm4 falls back to for settings xfconf does not hold
        return inEach(folders.dataDirs, QStringLiteral("xfwm4/defaults"));
    case WindowManager::KWin:
        return inEach(QStringList{folders.configHome} + folders.configDirs, QStringLiteral("kwinrc"));
    case WindowManager::Fluxbox:
        return {QDir(folders.home).filePath(QStringLiteral(".fluxbox/init"))};
    case WindowManager::IceWM: {
        const QStringList icewmFolders = QStringList{folders.icewmPrivate, QStringLiteral("/etc/X11/icewm")} +
                                         inEach(folders.dataDirs, QStringLiteral("icewm"));
        QStringList files = inEach(icewmFolders, QStringLiteral("prefoverride"));
        if (const QString theme = icewmThemeFile(icewmFolders); !theme.isEmpty())
            files.append(theme);
        return files + inEach(icewmFolders, QStringLiteral("preferences"));
    }
    default:
        return {};
    }
}

ButtonLayout layoutFromFiles(WindowManager wm, const QList<QByteArray>& contents) {
    const auto first = [&contents](const std::function<std::optional<QString>(const QByteArray&)>& read,
                                   const QString& stock) {
        for (const QByteArray& c : contents) {
            if (const std::optional<QString> value = read(c))
                return *value;
        }
        return stock;
    };
    const auto ini = [](const QString& key) {
        return
            [key](const QByteArray& c) { return iniValue(c, QStringLiteral("org.kde.kdecoration2"), key); };
    };
    const auto resource = [](const QString& key) {
        return [key](const QByteArray& c) { return resourceValue(c, key); };
    };
    const auto assigned = [](const QString& key) {
        return [key](const QByteArray& c) { return assignedValue(c, key); };
    };
    switch (wm) {
    case WindowManager::Openbox:
        return openboxLayout(first(openboxTitleLayout, QStringLiteral("NLIMC")));
    case WindowManager::Xfwm:
        return xfwmLayout(first(assigned(QStringLiteral("button_layout")), QStringLiteral("O|SHMC")));
    case WindowManager::KWin:
        return kwinLayout(first(ini(QStringLiteral("ButtonsOnLeft")), QStringLiteral("MS")),
                          first(ini(QStringLiteral("ButtonsOnRight")), QStringLiteral("HIAX")));
    case WindowManager::Fluxbox:
        return fluxboxLayout(
            first(resource(QStringLiteral("session.screen0.titlebar.left")), QStringLiteral("Stick")),
            first(resource(QStringLiteral("session.screen0.titlebar.right")),
                  QStringLiteral("Minimize Maximize Close")));
    case WindowManager::IceWM:
        return icewmLayout(first(assigned(QStringLiteral("TitleButtonsLeft")), QStringLiteral("s")),
                           first(assigned(QStringLiteral("TitleButtonsRight")), QStringLiteral("xmir")),
                           first(assigned(QStringLiteral("TitleButtonsSupported")), QStringLiteral("xmis")));
    default:
        return stockLayout(wm);
    }
}

std::optional<QString> openboxTitleLayout(const QByteArray& rcXml) {
    QXmlStreamReader xml(rcXml);
    while (!xml.atEnd()) { // a malformed file ends the reading there
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("titleLayout"))
            return xml.readElementText().trimmed();
    }
    return std::nullopt;
}

std::optional<QString> iniValue(const QByteArray& ini, const QString& group, const QString& key) {
    bool isInGroup = false;
    for (const QByteArray& line : linesOf(ini)) {
        if (line.startsWith('[')) {
            isInGroup = line == '[' + group.toUtf8() + ']';
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!isInGroup || equals < 0)
            continue;
        // KDE marks some keys with flags in brackets ("ButtonsOnLeft[$i]").
        QByteArray name = line.left(equals).trimmed();
        if (const qsizetype bracket = name.indexOf('['); bracket >= 0)
            name.truncate(bracket);
        if (name == key.toUtf8())
            return QString::fromUtf8(line.mid(equals + 1).trimmed());
    }
    return std::nullopt;
}

std::optional<QString> resourceValue(const QByteArray& resources, const QString& key) {
    for (const QByteArray& line : linesOf(resources)) {
        const qsizetype colon = line.indexOf(':');
        if (line.startsWith('!') || line.startsWith('#') || colon < 0)
            continue;
        if (line.left(colon).trimmed() == key.toUtf8())
            return QString::fromUtf8(line.mid(colon + 1).trimmed());
    }
    return std::nullopt;
}

std::optional<QString> assignedValue(const QByteArray& assignments, const QString& key) {
    static const QRegularExpression assignment(
        QStringLiteral(R"re(^([\w.]+)\s*=\s*(?:"([^"]*)"|([^\s#]*)))re"));
    for (const QByteArray& line : linesOf(assignments)) {
        const QRegularExpressionMatch m = assignment.match(QString::fromUtf8(line));
        if (m.hasMatch() && m.captured(1) == key)
            return m.capturedStart(2) >= 0 ? m.captured(2) : m.captured(3);
    }
    return std::nullopt;
}

} // namespace corvane
