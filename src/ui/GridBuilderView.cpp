// The grid builder's state and operations; GridBuilderCanvas draws the cells and turns clicks and
// keys into toggle().
#include "GridBuilderView.h"

#include "model/GridAlgebra.h"
#include "ui/GridBuilderCanvas.h"
#include "ui/ViewStyle.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace corvane {

GridBuilderView::GridBuilderView(QWidget* parent)
    : QWidget(parent)
    , m_canvas(new GridBuilderCanvas(*this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(m_canvas);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    const auto addButton = [&](const QString& text, void (GridBuilderView::*operation)()) {
        auto* button = new QPushButton(text, this);
        button->setFont(fontFor(TextStyle::Subheadline));
        connect(button, &QPushButton::clicked, this, operation);
        buttons->addWidget(button);
        return button;
    };
    m_groupButton = addButton(tr("Group"), &GridBuilderView::group);
    m_ungroupButton = addButton(tr("Ungroup"), &GridBuilderView::ungroup);
    m_clearButton = addButton(tr("Clear"), &GridBuilderView::clear);
    layout->addLayout(buttons);
    layout->setAlignment(buttons, Qt::AlignHCenter);

    auto* caption = new QLabel(tr("Click cells to select, then Group them into one zone."), this);
    caption->setFont(fontFor(TextStyle::SecondCaption));
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignHCenter);
    QPalette captionPalette = caption->palette();
    captionPalette.setColor(QPalette::WindowText, secondaryTextColor(palette()));
    caption->setPalette(captionPalette);
    layout->addWidget(caption);
    // A taller view keeps its contents together at the top.
    layout->addStretch();

    apply(m_merges, m_selection);
}

void GridBuilderView::setGridSize(qint64 rows, qint64 cols) {
    if (rows == m_rows && cols == m_cols)
        return;
    m_rows = rows;
    m_cols = cols;
    // One reconciliation for both counts, so a listener hears of the change once.
    apply(normalizedMerges(m_merges, rows, cols), {});
    m_canvas->updateGeometry();
}

void GridBuilderView::setMerges(const QList<GridSpan>& merges) {
    apply(merges, m_selection);
}

void GridBuilderView::setSelection(const QSet<GridCell>& selection) {
    apply(m_merges, selection);
}

QList<GridSpan> GridBuilderView::zones() const {
    return cellSpans(m_rows, m_cols, m_merges);
}

bool GridBuilderView::isSelected(const GridSpan& zone) const {
    const QSet<GridCell> cells = zone.cells();
    return std::all_of(cells.begin(), cells.end(),
                       [&](const GridCell& c) { return m_selection.contains(c); });
}

void GridBuilderView::toggle(const GridSpan& zone) {
    QSet<GridCell> selection = m_selection;
    if (isSelected(zone))
        selection.subtract(zone.cells());
    else
        selection.unite(zone.cells());
    setSelection(selection);
}

void GridBuilderView::group() {
    if (const std::optional<GridSpan> bounding = boundingSpan(m_selection))
        apply(mergesAdding(*bounding, m_merges), {});
}

void GridBuilderView::ungroup() {
    apply(mergesRemoving(m_selection, m_merges), {});
}

void GridBuilderView::clear() {
    apply({}, {});
}

void GridBuilderView::apply(const QList<GridSpan>& merges, const QSet<GridCell>& selection) {
    const bool isMergesChange = merges != m_merges;
    const bool isSelectionChange = selection != m_selection;
    m_merges = merges;
    m_selection = selection;

    m_groupButton->setEnabled(boundingSpan(m_selection).has_value());
    // A merge holds a selected cell exactly when removing those merges removes something.
    m_ungroupButton->setEnabled(mergesRemoving(m_selection, m_merges).size() != m_merges.size());
    m_clearButton->setEnabled(!m_merges.isEmpty() || !m_selection.isEmpty());
    m_canvas->refresh();

    if (isMergesChange)
        emit mergesChanged(m_merges);
    if (isSelectionChange)
        emit selectionChanged(m_selection);
}

} // namespace corvane
