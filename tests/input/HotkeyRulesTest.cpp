// The hotkey rules: how numbers parse, and how a stored table of any shape loads.
#include "input/HotkeyRules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(HotkeyRulesTest, NumbersAreAnOptionalSignAndAsciiDigitsWithinSixtyFourBits) {
    EXPECT_EQ(parseHotkeyNumber("2"), 2);
    EXPECT_EQ(parseHotkeyNumber("+4"), 4);
    EXPECT_EQ(parseHotkeyNumber("-3"), -3);
    EXPECT_EQ(parseHotkeyNumber("007"), 7);
    EXPECT_EQ(parseHotkeyNumber("9223372036854775807"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(parseHotkeyNumber("-9223372036854775808"), std::numeric_limits<qint64>::min());
    for (const char* bad : {"", "+", "-", " 1", "1 ", "1.0", "0x1", "1e2", "9223372036854775808",
                            "-9223372036854775809", "99999999999999999999"})
        EXPECT_EQ(parseHotkeyNumber(QString::fromLatin1(bad)), std::nullopt) << bad;
    EXPECT_EQ(parseHotkeyNumber(QStringLiteral("١")), std::nullopt) << "only ASCII digits";
}

TEST(HotkeyRulesTest, TheStoredTableLoadsOnlyWhenItIsAMapOfStrings) {
    const HotkeyAssignments defaults = defaultHotkeyAssignments();
    EXPECT_EQ(defaults, (HotkeyAssignments{{1, "Split"}, {2, "Quadrant"}, {3, "Thirds"}, {4, "Rows"}}));
    EXPECT_EQ(hotkeyAssignmentsFromStored(QVariant()), defaults);
    EXPECT_EQ(hotkeyAssignmentsFromStored(QVariant("Split")), defaults);
    EXPECT_EQ(hotkeyAssignmentsFromStored(QVariantList{"Split"}), defaults);
    EXPECT_EQ(hotkeyAssignmentsFromStored(QVariantMap{{"1", "Split"}, {"2", qint64(3)}}), defaults)
        << "one value that is not a string rejects the table";
    EXPECT_TRUE(hotkeyAssignmentsFromStored(QVariantMap{}).isEmpty()) << "an empty table stays empty";
    EXPECT_EQ(hotkeyAssignmentsFromStored(QVariantMap{{"", "A"}, {"x", "B"}, {"2", "Rows"}, {"9", "Bias"}}),
              (HotkeyAssignments{{2, "Rows"}, {9, "Bias"}}));
    EXPECT_EQ(hotkeyAssignmentsFromStored(QVariantMap{{"01", "Old"}, {"1", "New"}}),
              (HotkeyAssignments{{1, "New"}}))
        << "keys are taken in order, the later one wins";
}

TEST(HotkeyRulesTest, SavingWritesDecimalKeysAndRoundTrips) {
    const HotkeyAssignments table{{1, "Split"}, {-2, ""}, {12, "Focus"}};
    const QVariantMap stored = storedHotkeyAssignments(table);
    EXPECT_EQ(stored, (QVariantMap{{"1", "Split"}, {"-2", ""}, {"12", "Focus"}}));
    EXPECT_EQ(hotkeyAssignmentsFromStored(stored), table);
}

} // namespace
} // namespace corvane
