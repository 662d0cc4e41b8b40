#pragma once
// The palette's content: the "QUICK SNAP" header over the built-in layouts, four thumbnails to a
// row, drawn with the user's spacing around zones. A click on a zone hands its fractional rectangle to
// the pick handler.

#include "platform/PalettePresenter.h"

#include <QWidget>

namespace corvane {

class SnapLayoutView;
class ZoneSpacingSettings;

class QuickSnapView : public QWidget {
    Q_OBJECT
public:
    QuickSnapView(const PalettePresenter::PickHandler& onPick, const ZoneSpacingSettings& zoneSpacing,
                  QWidget* parent = nullptr);

    const QList<SnapLayoutView*>& thumbnails() const { return m_thumbnails; }

    static constexpr int columnCount = 4;
    static constexpr int columnWidth = 80;
    static constexpr int spacing = 10;
    static constexpr int margin = 12;

private:
    QList<SnapLayoutView*> m_thumbnails;
};

} // namespace corvane
