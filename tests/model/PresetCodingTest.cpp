// The stored preset list: what is written (key order, omissions, number forms, upper-case ids) and
// which stored data is refused. A wrong rule here loses or corrupts a user's presets.
#include "model/PresetCoding.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const QUuid kId = QUuid::fromString(QStringLiteral("6f1c2a9e-3b4d-4e5f-8a7b-1c2d3e4f5a6b"));
const QByteArray kIdText = "\"6F1C2A9E-3B4D-4E5F-8A7B-1C2D3E4F5A6B\"";

Preset sizePreset(double w, double h) {
    Preset p;
    p.id = kId;
    p.name = QStringLiteral("Laptop");
    p.width = w;
    p.height = h;
    return p;
}

Preset gridPreset(std::optional<QList<GridSpan>> merges) {
    Preset p;
    p.id = kId;
    p.name = QStringLiteral("Grid");
    p.rows = 2;
    p.cols = 3;
    p.merges = std::move(merges);
    return p;
}

QByteArray withId(const char* rest) {
    return "[{\"id\":" + kIdText + ",\"name\":\"N\"" + rest + "}]";
}

TEST(PresetCodingTest, EncodesKeysInOrderAndOmitsAbsentFields) {
    EXPECT_EQ(*encodePresets({sizePreset(1280, 800.5)}),
              "[{\"id\":" + kIdText + ",\"name\":\"Laptop\",\"width\":1280,\"height\":800.5}]");
    EXPECT_EQ(*encodePresets({gridPreset(std::nullopt)}),
              "[{\"id\":" + kIdText + ",\"name\":\"Grid\",\"rows\":2,\"cols\":3}]");
    EXPECT_EQ(*encodePresets({gridPreset(QList<GridSpan>{})}),
              "[{\"id\":" + kIdText + ",\"name\":\"Grid\",\"rows\":2,\"cols\":3,\"merges\":[]}]");
    EXPECT_EQ(*encodePresets({gridPreset(QList<GridSpan>{{0, 0, 2, 2}})}),
              "[{\"id\":" + kIdText +
                  ",\"name\":\"Grid\",\"rows\":2,\"cols\":3,\"merges\":[{\"row\":0,\"col\":0,\"rowSpan\":2,"
                  "\"colSpan\":2}]}]");
    EXPECT_EQ(*encodePresets({sizePreset(0.1, 1e21)}),
              "[{\"id\":" + kIdText + ",\"name\":\"Laptop\",\"width\":0.1,\"height\":1e+21}]")
        << "shortest form that reads back";
    Preset named = gridPreset(std::nullopt);
    named.name = QStringLiteral("a\"b\\c\t\x01\u00e9");
    EXPECT_EQ(*encodePresets({named}),
              "[{\"id\":" + kIdText +
                  ",\"name\":\"a\\\"b\\\\c\\u0009\\u0001\xc3\xa9\",\"rows\":2,\"cols\":3}]");
    EXPECT_EQ(*encodePresets({}), "[]");
}

TEST(PresetCodingTest, RoundTripsEveryFieldIncludingAwkwardNamesAndNumbers) {
    Preset odd = gridPreset(QList<GridSpan>{{-1, 5, 0, 9}});
    odd.name = QStringLiteral("Quote\" back\\ tab\t nl\n é 🪟");
    odd.width = 0.1;
    odd.height = 1e300;
    const QList<Preset> list{sizePreset(1440, 900), odd};
    const auto bytes = encodePresets(list);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(decodePresets(*bytes), list);
}

TEST(PresetCodingTest, APresetThatJsonCannotHoldFailsTheWholeEncoding) {
    EXPECT_FALSE(encodePresets({sizePreset(1280, 800), sizePreset(std::nan(""), 800)}));
    EXPECT_FALSE(encodePresets({sizePreset(1280, std::numeric_limits<double>::infinity())}));
}

TEST(PresetCodingTest, NullAndMissingOptionalsAreAbsentAndUnknownKeysIgnored) {
    const auto decoded = decodePresets(withId(",\"width\":null,\"rows\":null,\"merges\":null,\"extra\":[1]"));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 1);
    EXPECT_FALSE(decoded->at(0).width);
    EXPECT_FALSE(decoded->at(0).rows);
    EXPECT_FALSE(decoded->at(0).merges);
    const auto lower = decodePresets("[{\"name\":\"N\",\"id\":" + kIdText.toLower() + "}]");
    ASSERT_TRUE(lower) << "readers do not depend on key order or the case of the id";
    EXPECT_EQ(lower->at(0).id, kId);
}

TEST(PresetCodingTest, IntegersMustBeWholeAndFitSixtyFourBits) {
    const auto rows = [](const char* value) -> std::optional<qint64> {
        const auto decoded = decodePresets(withId((QByteArray(",\"rows\":") + value).constData()));
        if (!decoded)
            return std::nullopt;
        return decoded->at(0).rows;
    };
    EXPECT_EQ(rows("2"), 2);
    EXPECT_EQ(rows("2.0"), 2);
    EXPECT_EQ(rows("1e2"), 100);
    EXPECT_EQ(rows("-3"), -3);
    EXPECT_EQ(rows("9223372036854775807"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(rows("2.5"), std::nullopt);
    EXPECT_EQ(rows("9223372036854775808"), std::nullopt);
    EXPECT_EQ(rows("1e300"), std::nullopt);
    EXPECT_EQ(rows("\"2\""), std::nullopt);
}

TEST(PresetCodingTest, AnyBadRecordFailsTheWholeList) {
    const QByteArray good = "{\"id\":" + kIdText + ",\"name\":\"ok\"}";
    const QByteArray bad[] = {
        "[" + good + ",{\"id\":" + kIdText + "}]",                              // no name
        "[{\"id\":\"not-a-uuid\",\"name\":\"x\"}]",                             // bad id
        "[{\"id\":\"{6F1C2A9E-3B4D-4E5F-8A7B-1C2D3E4F5A6B}\",\"name\":\"x\"}]", // braces
        "[{\"id\":\"6F1C2A9E3B4D4E5F8A7B1C2D3E4F5A6B\",\"name\":\"x\"}]",       // no hyphens
        "[{\"id\":" + kIdText + ",\"name\":7}]",                                // wrong type
        "[{\"id\":" + kIdText + ",\"name\":\"x\",\"width\":\"1280\"}]",         // width a string
        "[{\"id\":" + kIdText + ",\"name\":\"x\",\"merges\":{}}]",              // merges not an array
        "[{\"id\":" + kIdText + ",\"name\":\"x\",\"merges\":[{\"row\":0,\"col\":0,\"rowSpan\":1}]}]",
        "[{\"id\":" + kIdText +
            ",\"name\":\"x\",\"merges\":[{\"row\":0,\"col\":0,\"rowSpan\":1,\"colSpan\":1.5}]}]",
        "[{\"id\":" + kIdText + ",\"name\":\"x\",\"merges\":[3]}]",
        "[" + good + ",3]",
        "{\"id\":" + kIdText + ",\"name\":\"x\"}", // not an array
        "[" + good,                                // truncated
        "",
        "[{\"id\":" + kIdText + ",\"name\":\"\xff\xfe\"}]", // invalid UTF-8
        QByteArray(100000, '[') + QByteArray(100000, ']'),  // nested far too deep
    };
    for (const QByteArray& data : bad)
        EXPECT_FALSE(decodePresets(data)) << data.left(120).toStdString();
    EXPECT_TRUE(decodePresets("[" + good + "]"));
}

TEST(PresetCodingTest, TheHashFollowsEveryFieldAndAgreesWithEquality) {
    EXPECT_NE(qHash(gridPreset(std::nullopt)), qHash(gridPreset(QList<GridSpan>{})))
        << "absent merges differ from empty merges";
    EXPECT_EQ(qHash(sizePreset(0.0, 1)), qHash(sizePreset(-0.0, 1))) << "equal presets hash alike";
    Preset widthOnly = sizePreset(5, 5);
    widthOnly.height.reset();
    Preset heightOnly = sizePreset(5, 5);
    heightOnly.width.reset();
    EXPECT_NE(qHash(widthOnly), qHash(heightOnly)) << "absent fields leave a presence marker";
}

} // namespace
} // namespace corvane
