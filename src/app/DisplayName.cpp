#include "DisplayName.h"

#include <QRegularExpression>

namespace corvane {

namespace {

bool isPlain(char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9');
}

// Every byte other than an ASCII letter or digit as "_" and two hex digits, and back.
QString escaped(const QString& text) {
    QString element;
    for (const char byte : text.toUtf8()) {
        if (isPlain(byte))
            element += QLatin1Char(byte);
        else
            element += QStringLiteral("_%1").arg(uint(uchar(byte)), 2, 16, QLatin1Char('0')).toUpper();
    }
    return element;
}

QString unescaped(const QString& written) {
    QByteArray text;
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (written[i] == u'_') {
            text.append(char(written.mid(i + 1, 2).toUInt(nullptr, 16)));
            i += 2;
        } else {
            text.append(char(written[i].unicode()));
        }
    }
    return QString::fromUtf8(text);
}

} // namespace

std::optional<DisplayName> DisplayName::ofWaylandSocket(const QString& socket) {
    if (socket.isEmpty())
        return std::nullopt;
    return DisplayName(socket, 0, true);
}

std::optional<DisplayName> DisplayName::parse(const QString& value) {
    static const QRegularExpression form(QStringLiteral("^(.*):(\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch match = form.match(value);
    bool isNumber = false;
    const uint number = match.hasMatch() ? match.captured(2).toUInt(&isNumber) : 0;
    if (!isNumber)
        return std::nullopt;
    const QString host = match.captured(1);
    return DisplayName(host == u"unix" ? QString() : host, number);
}

std::optional<DisplayName> DisplayName::fromBusElement(const QString& element) {
    static const QRegularExpression wayland(QStringLiteral("^w((?:[A-Za-z0-9]|_[0-9A-F]{2})+)$"));
    if (const QRegularExpressionMatch match = wayland.match(element); match.hasMatch())
        return ofWaylandSocket(unescaped(match.captured(1)));
    static const QRegularExpression form(QStringLiteral("^d(\\d+)(?:_((?:[A-Za-z0-9]|_[0-9A-F]{2})+))?$"));
    const QRegularExpressionMatch match = form.match(element);
    bool isNumber = false;
    const uint number = match.hasMatch() ? match.captured(1).toUInt(&isNumber) : 0;
    if (!isNumber)
        return std::nullopt;
    return DisplayName(unescaped(match.captured(2)), number);
}

QString DisplayName::busElement() const {
    if (m_isWayland)
        return u'w' + escaped(m_host);
    const QString element = QStringLiteral("d%1").arg(m_number);
    return m_host.isEmpty() ? element : element + u'_' + escaped(m_host);
}

QString DisplayName::text() const {
    if (m_isWayland)
        return m_host;
    return QStringLiteral("%1:%2").arg(m_host).arg(m_number);
}

} // namespace corvane
