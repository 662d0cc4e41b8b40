#pragma once
// The custom-grid editor of the settings window: select cells, group them into one merged zone,
// ungroup or clear. It edits the merges and selection the settings window binds to; the cells are
// drawn and clicked in GridBuilderCanvas.

#include "model/GridCell.h"
#include "model/GridSpan.h"

#include <QList>
#include <QSet>
#include <QWidget>

class QPushButton;

namespace corvane {

class GridBuilderCanvas;

class GridBuilderView : public QWidget {
    Q_OBJECT
public:
    explicit GridBuilderView(QWidget* parent = nullptr);

    // A new row or column count empties the selection and clips the merges to the new grid.
    void setGridSize(qint64 rows, qint64 cols);
    qint64 rows() const { return m_rows; }
    qint64 cols() const { return m_cols; }

    const QList<GridSpan>& merges() const { return m_merges; }
    void setMerges(const QList<GridSpan>& merges);
    const QSet<GridCell>& selection() const { return m_selection; }
    void setSelection(const QSet<GridCell>& selection);

    // The zones that tile the grid, merged blocks and single cells, in row-major order.
    QList<GridSpan> zones() const;
    // A zone counts as selected only when all of its cells are.
    bool isSelected(const GridSpan& zone) const;

    GridBuilderCanvas* canvas() const { return m_canvas; }
    QPushButton* groupButton() const { return m_groupButton; }
    QPushButton* ungroupButton() const { return m_ungroupButton; }
    QPushButton* clearButton() const { return m_clearButton; }

public slots:
    // Selects the zone's cells, or deselects them when all are selected already.
    void toggle(const GridSpan& zone);
    // Merges the bounding block of the selection; merges it overlaps are dissolved whole.
    void group();
    // Dissolves every merge that holds a selected cell.
    void ungroup();
    void clear();

signals:
    void mergesChanged(const QList<corvane::GridSpan>& merges);
    void selectionChanged(const QSet<corvane::GridCell>& selection);

private:
    // Takes both values before announcing either, so a listener never sees a half-done edit.
    void apply(const QList<GridSpan>& merges, const QSet<GridCell>& selection);

    qint64 m_rows = 2;
    qint64 m_cols = 2;
    QList<GridSpan> m_merges;
    QSet<GridCell> m_selection;
    GridBuilderCanvas* m_canvas = nullptr;
    QPushButton* m_groupButton = nullptr;
    QPushButton* m_ungroupButton = nullptr;
    QPushButton* m_clearButton = nullptr;
};

} // namespace corvane
