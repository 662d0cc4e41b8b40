#pragma once
// A named, ordered list of zones: the order is the order of zone cycling and of drawing.

#include "model/SnapZone.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace corvane {

struct SnapLayout {
    QUuid id;
    QString name; // display name and lookup key, matched exactly
    QList<SnapZone> zones;
};

} // namespace corvane
