#pragma once
// One saved preset: its thumbnail, which applies it to the target window when clicked (a grid
// thumbnail per zone, a size tile as a whole), and its name below.

#include "model/Preset.h"

#include <QWidget>

class QAbstractButton;

namespace corvane {

class ElidedLabel;
class SnapLayoutView;
class WindowPlacer;

class PresetCell : public QWidget {
    Q_OBJECT
public:
    PresetCell(Preset preset, WindowPlacer& placer, QWidget* parent = nullptr);

    const Preset& preset() const { return m_preset; }
    // At most one of the two thumbnails exists; a preset with neither shows only its name.
    SnapLayoutView* gridThumbnail() const { return m_gridThumbnail; }
    QAbstractButton* sizeTile() const { return m_sizeTile; }
    ElidedLabel* nameLabel() const { return m_name; }

    // The size tile's text: whole numbers, truncated, joined by "×".
    static QString sizeLabel(double width, double height);

private:
    Preset m_preset;
    SnapLayoutView* m_gridThumbnail = nullptr;
    QAbstractButton* m_sizeTile = nullptr;
    ElidedLabel* m_name = nullptr;
};

} // namespace corvane
