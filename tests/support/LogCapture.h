#pragma once
// Captures the program's log lines ("category: message") for the life of the object, with debug
// and info messages of our categories switched on.

#include <QLoggingCategory>
#include <QStringList>

namespace corvane {

class LogCapture {
public:
    LogCapture() {
        lines().clear();
        QLoggingCategory::setFilterRules(QStringLiteral("app.corvane.*.debug=true\napp.corvane.*.info=true"));
        m_previous = qInstallMessageHandler(capture);
    }
    ~LogCapture() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    static QStringList& lines() {
        static QStringList captured;
        return captured;
    }
    int count(const QString& text) const { return int(lines().filter(text).size()); }

private:
    static void capture(QtMsgType, const QMessageLogContext& context, const QString& message) {
        lines().append(QStringLiteral("%1: %2").arg(context.category, message));
    }
    QtMessageHandler m_previous = nullptr;
};

} // namespace corvane
