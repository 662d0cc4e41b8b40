#include "SimActionLog.h"

namespace corvane {

QString describe(const AttributeValue& value) {
    struct Describer {
        QString operator()(std::monostate) const { return QStringLiteral("null"); }
        QString operator()(const AxElement& e) const { return QStringLiteral("element#%1").arg(e.handle); }
        QString operator()(const AxValue& v) const {
            if (v.type == AxValueType::Point)
                return QStringLiteral("%1,%2").arg(v.point.x()).arg(v.point.y());
            if (v.type == AxValueType::Rect)
                return QStringLiteral("%1,%2 %3x%4")
                    .arg(v.point.x())
                    .arg(v.point.y())
                    .arg(v.size.width())
                    .arg(v.size.height());
            return QStringLiteral("%1x%2").arg(v.size.width()).arg(v.size.height());
        }
        QString operator()(const QString& s) const { return QLatin1Char('"') + s + QLatin1Char('"'); }
        QString operator()(bool b) const { return b ? QStringLiteral("true") : QStringLiteral("false"); }
        QString operator()(double d) const { return QString::number(d); }
        QString operator()(const AxOtherValue& o) const { return QStringLiteral("<%1>").arg(o.typeName); }
    };
    return std::visit(Describer{}, value);
}

QString SimAction::summary() const {
    switch (kind) {
    case Kind::ReadAttribute:
        return QStringLiteral("read %1").arg(attribute);
    case Kind::WriteAttribute:
        return QStringLiteral("write %1 %2").arg(attribute, describe(value));
    case Kind::Activate:
        return QStringLiteral("activate %1").arg(pid);
    case Kind::PerformAction:
        return QStringLiteral("%1 %2").arg(attribute).arg(window);
    }
    return {};
}

QStringList SimActionLog::summaries(std::initializer_list<SimAction::Kind> kinds) const {
    QStringList out;
    for (const SimAction& a : m_actions) {
        if (std::find(kinds.begin(), kinds.end(), a.kind) != kinds.end())
            out.append(a.summary());
    }
    return out;
}

QStringList SimActionLog::effects() const {
    QStringList out;
    for (const SimAction& a : m_actions) {
        const bool isRemembering = a.attribute == QLatin1String(ax::kRestoreFrame);
        if ((a.kind == SimAction::Kind::WriteAttribute && !isRemembering) ||
            a.kind == SimAction::Kind::Activate || a.kind == SimAction::Kind::PerformAction)
            out.append(a.summary());
    }
    return out;
}

} // namespace corvane
