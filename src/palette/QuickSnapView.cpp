#include "QuickSnapView.h"

#include "model/BuiltInLayouts.h"
#include "ui/SnapLayoutView.h"
#include "ui/ViewStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

QuickSnapView::QuickSnapView(const PalettePresenter::PickHandler& onPick,
                             const ZoneSpacingSettings& zoneSpacing, QWidget* parent)
    : QWidget(parent) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(margin, margin, margin, margin);
    stack->setSpacing(8);
    stack->setSizeConstraint(QLayout::SetFixedSize);

    auto* header = new QLabel(tr("QUICK SNAP"), this);
    header->setFont(fontFor(TextStyle::SectionTitle));
    QPalette headerPalette = header->palette();
    headerPalette.setColor(QPalette::WindowText, secondaryTextColor(palette()));
    header->setPalette(headerPalette);
    stack->addWidget(header);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(spacing);
    grid->setVerticalSpacing(spacing);
    const QList<SnapLayout>& layouts = builtInLayouts();
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        auto* thumbnail = new SnapLayoutView(layouts[i], onPick, this);
        thumbnail->setFixedWidth(columnWidth);
        thumbnail->setToolTip(layouts[i].name);
        thumbnail->followZoneSpacing(zoneSpacing);
        grid->addWidget(thumbnail, int(i / columnCount), int(i % columnCount), Qt::AlignHCenter);
        m_thumbnails.append(thumbnail);
    }
    for (int column = 0; column < columnCount; ++column)
        grid->setColumnMinimumWidth(column, columnWidth);
    stack->addLayout(grid);
}

} // namespace corvane
