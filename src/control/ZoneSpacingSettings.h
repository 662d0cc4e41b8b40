#pragma once
// The user's spacing around zones (ZoneSpacing), kept in the defaults: the gap between neighbouring
// zones and the margin at the work area's edges, both 0 until set. Every way of putting a window into
// a zone reads it when it places, and the layout thumbnails draw it.

#include "model/ZoneSpacing.h"
#include "platform/Defaults.h"

#include <QObject>

namespace corvane {

class ZoneSpacingSettings : public QObject {
    Q_OBJECT
public:
    // Reads the stored values, each within 0...ZoneSpacing::maximum; one that is not a number is 0.
    // Writes nothing.
    explicit ZoneSpacingSettings(Defaults& defaults, QObject* parent = nullptr);

    ZoneSpacing spacing() const { return m_spacing; }
    // Kept within 0...ZoneSpacing::maximum, and stored.
    void setGap(qint64 gap);
    void setMargin(qint64 margin);

signals:
    void spacingChanged(corvane::ZoneSpacing spacing);

private:
    void set(ZoneSpacing spacing);

    Defaults& m_defaults;
    ZoneSpacing m_spacing;
};

} // namespace corvane
