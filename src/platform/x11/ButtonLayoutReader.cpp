#include "ButtonLayoutReader.h"

#include "platform/common/Log.h"
#include "platform/wmconfig/GSettingsString.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace corvane {

namespace {
constexpr auto kXfconfService = "org.xfce.Xfconf";
constexpr auto kXfconfPath = "/org/xfce/Xfconf";
constexpr auto kXfconfInterface = "org.xfce.Xfconf";
constexpr auto kXfwmChannel = "xfwm4";
constexpr auto kXfwmButtonLayout = "/general/button_layout";
constexpr int kXfconfTimeoutMs = 2000; // asked without waiting: the answer comes when it comes
} // namespace

ButtonLayoutReader::ButtonLayoutReader(WindowManagerWatcher& windowManager)
    : m_windowManager(windowManager)
    , m_folders(ConfigFolders::fromEnvironment()) {
    connect(&windowManager, &WindowManagerWatcher::changed, this, &ButtonLayoutReader::detect);
    detect();
}

ButtonLayoutReader::~ButtonLayoutReader() = default;

ButtonLayoutReader::Layout ButtonLayoutReader::current() const {
    return m_current;
}

void ButtonLayoutReader::set(const ButtonLayout& buttons) {
    if (m_current.buttons == buttons)
        return;
    m_current.buttons = buttons;
    // Read once and on each change, so a line per layout; it tells when a change has been taken in.
    const auto names = [](const QList<TitleButton>& side) {
        QStringList named;
        for (const TitleButton button : side) {
            named.append(button == TitleButton::Close      ? QStringLiteral("close")
                         : button == TitleButton::Minimize ? QStringLiteral("minimize")
                         : button == TitleButton::Maximize ? QStringLiteral("maximize")
                                                           : QStringLiteral("other"));
        }
        return named.join(QLatin1Char(','));
    };
    qCDebug(lcGeneral).noquote() << "Title-bar buttons from the left edge:" << names(buttons.left)
                                 << "and from the right edge:" << names(buttons.right);
    emit changed();
}

void ButtonLayoutReader::detect() {
    const WindowManager wm = windowManagerNamed(m_windowManager.name().value_or(QString()));
    const QString openboxFile = m_windowManager.configFile();
    if (m_hasDetected && wm == current().windowManager && openboxFile == m_openboxConfigFile)
        return;
    m_hasDetected = true;
    m_openboxConfigFile = openboxFile;
    m_isFollowingXfconf = false;
    m_current = Layout{.windowManager = wm, .buttons = stockLayout(wm), .metrics = buttonMetrics(wm)};
    m_gsettings.reset();
    m_files.reset();
    switch (wm) {
    case WindowManager::Metacity:
    case WindowManager::Mutter:
        followGSettings("org.gnome.desktop.wm.preferences");
        break;
    case WindowManager::Marco:
        followGSettings("org.mate.Marco.general");
        break;
    case WindowManager::Xfwm:
        followFiles(wm, openboxFile);
        askXfconf();
        break;
    default:
        followFiles(wm, openboxFile);
        break;
    }
    emit changed();
}

void ButtonLayoutReader::followFiles(WindowManager wm, const QString& openboxConfigFile) {
    // xfconf's value, once it answered, outranks xfwm4's defaults file.
    m_files = std::make_unique<ButtonLayoutFiles>(wm, layoutFiles(wm, m_folders, openboxConfigFile),
                                                  [this](const ButtonLayout& buttons) {
                                                      if (!m_isFollowingXfconf)
                                                          set(buttons);
                                                  });
    set(m_files->layout());
}

void ButtonLayoutReader::followGSettings(const char* schema) {
    m_gsettings = GSettingsString::open(schema, "button-layout",
                                        [this](const QString& layout) { set(gnomeLayout(layout)); });
    if (m_gsettings)
        set(gnomeLayout(m_gsettings->value()));
}

void ButtonLayoutReader::askXfconf() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    if (!m_isListeningToXfconf) {
        m_isListeningToXfconf = true;
        for (const char* signal : {"PropertyChanged", "PropertyRemoved"})
            bus.connect(kXfconfService, kXfconfPath, kXfconfInterface, QString::fromLatin1(signal), this,
                        SLOT(xfconfSignal(QDBusMessage)));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kXfconfService, kXfconfPath, kXfconfInterface,
                                                       QStringLiteral("GetProperty"));
    call << QString::fromLatin1(kXfwmChannel) << QString::fromLatin1(kXfwmButtonLayout);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kXfconfTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answered) {
        answered->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *answered;
        if (reply.isValid())
            followXfconf(reply.value().variant().toString());
    });
}

void ButtonLayoutReader::xfconfSignal(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (current().windowManager != WindowManager::Xfwm || arguments.size() < 2 ||
        arguments[0].toString() != QLatin1String(kXfwmChannel) ||
        arguments[1].toString() != QLatin1String(kXfwmButtonLayout))
        return;
    if (message.member() == QLatin1String("PropertyChanged") && arguments.size() >= 3) {
        followXfconf(arguments[2].value<QDBusVariant>().variant().toString());
    } else if (message.member() == QLatin1String("PropertyRemoved")) {
        m_isFollowingXfconf = false; // back to xfwm4's defaults
        set(m_files->layout());
    }
}

void ButtonLayoutReader::followXfconf(const QString& layout) {
    m_isFollowingXfconf = true;
    set(xfwmLayout(layout));
}

} // namespace corvane
