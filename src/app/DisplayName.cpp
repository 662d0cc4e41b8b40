#include "DisplayName.h"

#include <QRegularExpression>

namespace corvane {

namespace {

bool isPlain(char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9');
}

} // namespace

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
    static const QRegularExpression form(QStringLiteral("^d(\\d+)(?:_((?:[A-Za-z0-9]|_[0-9A-F]{2})+))?$"));
    const QRegularExpressionMatch match = form.match(element);
    bool isNumber = false;
    const uint number = match.hasMatch() ? match.captured(1).toUInt(&isNumber) : 0;
    if (!isNumber)
        return std::nullopt;
    const QString written = match.captured(2);
    QByteArray host;
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (written[i] == u'_') {
            host.append(char(written.mid(i + 1, 2).toUInt(nullptr, 16)));
            i += 2;
        } else {
            host.append(char(written[i].unicode()));
        }
    }
    return DisplayName(QString::fromUtf8(host), number);
}

QString DisplayName::busElement() const {
    QString element = QStringLiteral("d%1").arg(m_number);
    if (m_host.isEmpty())
        return element;
    element += u'_';
    for (const char byte : m_host.toUtf8()) {
        if (isPlain(byte))
            element += QLatin1Char(byte);
        else
            element += QStringLiteral("_%1").arg(uint(uchar(byte)), 2, 16, QLatin1Char('0')).toUpper();
    }
    return element;
}

QString DisplayName::text() const {
    return QStringLiteral("%1:%2").arg(m_host).arg(m_number);
}

} // namespace corvane
