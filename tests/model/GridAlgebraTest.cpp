// Grid algebra: the order rules (first merge wins, new merge last, removal keeps order) and the
// handling of stored spans that no grid builder would make.
#include "model/GridAlgebra.h"

#include "model/Preset.h"

#include <gtest/gtest.h>
#include <limits>

namespace corvane {
namespace {

using Spans = QList<GridSpan>;
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

TEST(GridAlgebraTest, NormalizedMergesClipsDropsAndKeepsTheFirstOfOverlappingBlocks) {
    struct Row {
        const char* what;
        Spans merges;
        qint64 rows, cols;
        Spans expected;
    };
    const Row rows[] = {
        {"single cell is no merge", {{1, 1, 1, 1}}, 3, 3, {}},
        {"clipped at the top", {{-1, 0, 2, 2}}, 3, 3, {{0, 0, 1, 2}}},
        {"first wins", {{0, 0, 2, 2}, {1, 1, 2, 2}}, 3, 3, {{0, 0, 2, 2}}},
        {"outside the grid", {{3, 0, 1, 2}}, 3, 3, {}},
        {"clipped to one cell", {{2, 2, 5, 5}}, 3, 3, {}},
        {"input order kept", {{2, 0, 1, 3}, {0, 0, 2, 1}}, 3, 3, {{2, 0, 1, 3}, {0, 0, 2, 1}}},
        {"negative extents", {{1, 1, -2, 3}, {0, 0, 2, -1}}, 3, 3, {}},
        {"negative grid", {{0, 0, 2, 2}}, -3, 3, {}},
        {"end overflows", {{kMax, 0, 2, 2}, {0, kMax - 1, 2, 5}}, 3, 3, {}},
        {"huge but valid extent is clipped", {{0, 0, kMax, 2}}, 3, 3, {{0, 0, 3, 2}}},
        {"start far below", {{kMin, 0, kMax, 2}}, 3, 3, {}},
        {"largest grid tiled", {{0, 0, 2, 2}}, 100, 100, {{0, 0, 2, 2}}},
        {"grid too large is empty", {{0, 0, 2, 2}}, 101, 100, {}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(normalizedMerges(r.merges, r.rows, r.cols), r.expected) << r.what;
}

TEST(GridAlgebraTest, CellSpansTileRowByRowWithMergedBlocksOnce) {
    EXPECT_EQ(cellSpans(2, 2, {{0, 0, 1, 2}}), (Spans{{0, 0, 1, 2}, {1, 0, 1, 1}, {1, 1, 1, 1}}));
    EXPECT_EQ(cellSpans(3, 3, {{1, 1, 2, 2}, {0, 0, 2, 2}}),
              (Spans{{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1}, {1, 0, 1, 1}, {1, 1, 2, 2}, {2, 0, 1, 1}}))
        << "an overlapping later block is dropped whole, the earlier one kept";
    EXPECT_TRUE(cellSpans(0, 3, {}).isEmpty());
    EXPECT_TRUE(cellSpans(3, -1, {}).isEmpty());
    EXPECT_TRUE(cellSpans(1'000'000'000'000, 1'000'000'000'000, {}).isEmpty()) << "no endless tiling";
    EXPECT_EQ(cellSpans(1, kMaxGridCells, {}).size(), kMaxGridCells);
    EXPECT_TRUE(cellSpans(2, kMaxGridCells, {}).isEmpty());
}

TEST(GridAlgebraTest, BoundingSpanCoversAnyTwoCells) {
    EXPECT_EQ(boundingSpan({{0, 2}, {1, 0}}), (GridSpan{0, 0, 2, 3}));
    EXPECT_EQ(boundingSpan({{2, 2}, {2, 2}}), std::nullopt) << "a set of one cell";
    EXPECT_EQ(boundingSpan({}), std::nullopt);
    EXPECT_EQ(boundingSpan({{kMin, 0}, {kMax, 0}}), std::nullopt) << "an extent that does not fit";
}

TEST(GridAlgebraTest, AddingAndRemovingMergesKeepTheirOrderRules) {
    EXPECT_EQ(mergesAdding({1, 1, 1, 2}, {{0, 0, 2, 2}, {2, 0, 1, 2}}), (Spans{{2, 0, 1, 2}, {1, 1, 1, 2}}));
    EXPECT_EQ(mergesAdding({0, 1, 2, 1}, {{0, 0, 1, 2}, {3, 3, 2, 2}, {1, 0, 1, 2}}),
              (Spans{{3, 3, 2, 2}, {0, 1, 2, 1}}));
    EXPECT_EQ(mergesRemoving({{2, 1}}, {{0, 0, 2, 2}, {2, 0, 1, 2}}), (Spans{{0, 0, 2, 2}}));
    EXPECT_EQ(mergesRemoving({{0, 0}, {4, 4}}, {{3, 3, 2, 2}, {0, 2, 1, 2}, {0, 0, 2, 2}, {5, 0, 1, 2}}),
              (Spans{{0, 2, 1, 2}, {5, 0, 1, 2}}));
}

TEST(GridAlgebraTest, SpanCellsContainmentAndOverlapAreHalfOpenAndOverflowSafe) {
    EXPECT_EQ((GridSpan{1, 1, 2, 1}.cells()), (QSet<GridCell>{{1, 1}, {2, 1}}));
    EXPECT_TRUE((GridSpan{0, 0, 0, 3}.cells().isEmpty()));
    EXPECT_EQ((GridSpan{-50, 7, 100, 100}.cells().size()), kMaxGridCells);
    EXPECT_TRUE((GridSpan{0, 0, 100, 101}.cells().isEmpty())) << "too large to list";
    EXPECT_TRUE((GridSpan{0, 0, kMax, kMax}.cells().isEmpty())) << "too large to list";
    EXPECT_TRUE((GridSpan{kMax, 0, 2, 1}.cells().isEmpty())) << "would run past the largest row";
    EXPECT_TRUE((GridSpan{0, 0, 2, 2}.contains({1, 1})));
    EXPECT_FALSE((GridSpan{0, 0, 2, 2}.contains({2, 1})));
    EXPECT_TRUE((GridSpan{kMin, kMin, kMax, kMax}.contains({-5, -5})));
    EXPECT_FALSE((GridSpan{kMin, 0, kMax, 1}.contains({kMax, 0})));
    EXPECT_TRUE((GridSpan{0, 0, 2, 2}.overlaps({1, 1, 2, 2})));
    EXPECT_FALSE((GridSpan{0, 0, 2, 2}.overlaps({2, 0, 1, 2}))) << "touching is not overlapping";
    EXPECT_FALSE((GridSpan{0, 0, kMax, 1}.overlaps({kMax, 0, kMax, 1})));
    // A positive start whose end passes the largest value: a damaged span that holds nothing.
    const GridSpan runaway{5, 0, kMax, 1};
    EXPECT_FALSE(runaway.contains({10, 0}));
    EXPECT_FALSE(runaway.contains({5, 0}));
    EXPECT_FALSE(runaway.overlaps({6, 0, 1, 1}));
    EXPECT_FALSE((GridSpan{6, 0, 1, 1}.overlaps(runaway))) << "either way round";
    EXPECT_FALSE((GridSpan{0, 3, 1, kMax}.overlaps({0, 4, 1, 1}))) << "columns too";
}

TEST(GridAlgebraTest, GridLayoutMakesFractionalZonesWithFreshIds) {
    Preset p;
    p.name = "Work";
    p.rows = 2;
    p.cols = 3;
    p.merges = Spans{{0, 0, 2, 2}};
    const auto layout = p.gridLayout();
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->name, "Work");
    ASSERT_EQ(layout->zones.size(), 3);
    const double third = 0.3333333333333333;
    const double twoThirds = 0.6666666666666666;
    const QRectF expected[] = {
        {0, 0, twoThirds, 1}, {twoThirds, 0, third, 0.5}, {twoThirds, 0.5, third, 0.5}};
    for (int i = 0; i < 3; ++i) {
        const QRectF r = layout->zones[i].rect;
        EXPECT_EQ(r.x(), expected[i].x()) << i;
        EXPECT_EQ(r.y(), expected[i].y()) << i;
        EXPECT_EQ(r.width(), expected[i].width()) << i;
        EXPECT_EQ(r.height(), expected[i].height()) << i;
    }
    const auto again = p.gridLayout();
    EXPECT_NE(again->id, layout->id);
    EXPECT_NE(again->zones[0].id, layout->zones[0].id);

    Preset size;
    size.width = 1280;
    size.height = 800;
    EXPECT_FALSE(size.gridLayout());
    Preset empty;
    for (const auto& [rows, cols] : {std::pair<qint64, qint64>{0, 4}, {-2, 3}, {1'000'000'000'000, 2}}) {
        empty.rows = rows;
        empty.cols = cols;
        ASSERT_TRUE(empty.gridLayout()) << rows;
        EXPECT_TRUE(empty.gridLayout()->zones.isEmpty()) << rows;
    }
}

} // namespace
} // namespace corvane
