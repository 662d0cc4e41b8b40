#include "KWinScriptLoader.h"

#include "platform/common/Log.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QFileInfo>

namespace corvane {

namespace {

constexpr auto kService = "org.kde.KWin";
constexpr auto kScriptingPath = "/Scripting";
constexpr auto kScriptingInterface = "org.kde.kwin.Scripting";

QDBusMessage scripting(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kScriptingPath),
                                                       QLatin1String(kScriptingInterface), method);
    call.setArguments(arguments);
    return call;
}

} // namespace

KWinScriptLoader::KWinScriptLoader(QDBusConnection bus, QString scriptPath)
    : m_bus(std::move(bus))
    , m_scriptPath(std::move(scriptPath)) {}

QString KWinScriptLoader::findScript() {
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {programDir + QStringLiteral("/../share/corvane/kwin/agent.js"),
                                     programDir + QStringLiteral("/kwin/agent.js")}) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

bool KWinScriptLoader::load() {
    if (m_scriptPath.isEmpty()) {
        qCWarning(lcGeneral, "KWin agent: the script is not installed next to Corvane");
        return false;
    }
    if (isLoaded().value_or(false))
        unload();
    const QDBusMessage loaded =
        m_bus.call(scripting(QStringLiteral("loadScript"), {m_scriptPath, QLatin1String(kPluginName)}),
                   QDBus::Block, kCallTimeoutMs);
    const int id = loaded.arguments().value(0).toInt();
    if (loaded.type() != QDBusMessage::ReplyMessage || id < 0) {
        qCWarning(lcGeneral, "KWin agent: KWin did not load %s (%s)", qPrintable(m_scriptPath),
                  qPrintable(loaded.errorMessage()));
        return false;
    }
    // KWin 6 serves each script at /Scripting/Script<id>; older ones at /<id>.
    const QDBusMessage run = m_bus.call(
        QDBusMessage::createMethodCall(QLatin1String(kService), QStringLiteral("/Scripting/Script%1").arg(id),
                                       QStringLiteral("org.kde.kwin.Script"), QStringLiteral("run")),
        QDBus::Block, kCallTimeoutMs);
    if (run.type() != QDBusMessage::ReplyMessage) {
        qCWarning(lcGeneral, "KWin agent: KWin did not run the script (%s)", qPrintable(run.errorMessage()));
        unload();
        return false;
    }
    return true;
}

void KWinScriptLoader::unload() {
    m_bus.call(scripting(QStringLiteral("unloadScript"), {QLatin1String(kPluginName)}), QDBus::Block,
               kCallTimeoutMs);
}

std::optional<bool> KWinScriptLoader::isLoaded() {
    const QDBusMessage reply =
        m_bus.call(scripting(QStringLiteral("isScriptLoaded"), {QLatin1String(kPluginName)}), QDBus::Block,
                   kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().value(0).toBool();
}

} // namespace corvane
