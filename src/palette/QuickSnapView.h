#pragma once
// The palette's content: the "QUICK SNAP" header over the built-in layouts, four thumbnails to a
// row, drawn with the user's spacing around zones, each where QuickSnapFace puts it. A click on a zone
// hands its fractional rectangle to the pick handler. As the row shown during a drag: the thumbnails
// side by side, no header.

#include "palette/QuickSnapFace.h"
#include "platform/PalettePresenter.h"

#include <QWidget>

namespace corvane {

class SnapLayoutView;
class ZoneSpacingSettings;

class QuickSnapView : public QWidget {
    Q_OBJECT
public:
    enum class Shape { Palette, Row };

    QuickSnapView(const PalettePresenter::PickHandler& onPick, const ZoneSpacingSettings& zoneSpacing,
                  Shape shape = Shape::Palette, QWidget* parent = nullptr);

    const QList<SnapLayoutView*>& thumbnails() const { return m_thumbnails; }
    const QuickSnapFace& face() const { return m_face; }

private:
    QuickSnapFace m_face;
    QList<SnapLayoutView*> m_thumbnails;
};

} // namespace corvane
