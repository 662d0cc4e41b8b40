#include "QtApplication.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QWidget>

namespace corvane {

QtApplication::QtApplication() {
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            emit didBecomeActive();
    });
}

void QtApplication::setActivationPolicy(ActivationPolicy policy) {
    m_policy = policy;
    // An accessory's windows stay out of the taskbar; tool windows are skipped by taskbars.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->property("corvaneFollowsActivationPolicy").toBool()) {
            const bool isVisible = window->isVisible();
            window->setWindowFlag(Qt::Tool, policy == ActivationPolicy::Accessory);
            if (isVisible)
                window->show();
        }
    }
}

void QtApplication::activateIgnoringOtherApps() {
    if (QWidget* window = QApplication::activeWindow())
        window->activateWindow();
}

void QtApplication::terminate() {
    QCoreApplication::quit();
}

bool QtApplication::setApplicationIconNamed(const QString& name) {
    const QString path = QStringLiteral(":/images/%1.png").arg(name);
    if (!QFile::exists(path))
        return false;
    QApplication::setWindowIcon(QIcon(path));
    return true;
}

bool QtApplication::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
        emit windowWillClose(watched);
    return false;
}

} // namespace corvane
