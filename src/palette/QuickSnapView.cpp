#include "QuickSnapView.h"

#include "model/BuiltInLayouts.h"
#include "ui/SnapLayoutView.h"
#include "ui/ViewStyle.h"

#include <QLabel>

namespace corvane {

QuickSnapView::QuickSnapView(const PalettePresenter::PickHandler& onPick,
                             const ZoneSpacingSettings& zoneSpacing, Shape shape, QWidget* parent)
    : QWidget(parent)
    , m_face(shape == Shape::Row
                 ? QuickSnapFace::row(builtInLayouts().size())
                 : QuickSnapFace::palette(builtInLayouts().size(), QuickSnapFace::headerHeight())) {
    setFixedSize(m_face.size.toSize());

    if (shape == Shape::Palette) {
        auto* header = new QLabel(QuickSnapFace::headerText(), this);
        header->setFont(QuickSnapFace::headerFont());
        QPalette headerPalette = header->palette();
        headerPalette.setColor(QPalette::WindowText, secondaryTextColor(palette()));
        header->setPalette(headerPalette);
        header->setGeometry(m_face.header.toRect());
    }

    const QList<SnapLayout>& layouts = builtInLayouts();
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        auto* thumbnail = new SnapLayoutView(layouts[i], onPick, this);
        thumbnail->setGeometry(m_face.thumbnails[i].toRect());
        thumbnail->setToolTip(layouts[i].name);
        thumbnail->followZoneSpacing(zoneSpacing);
        m_thumbnails.append(thumbnail);
    }
}

} // namespace corvane
