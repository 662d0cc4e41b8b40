// The preset store: name validation with its exact messages, adding, deleting, stored data that
// cannot be decoded, and layouts resolved by name.
#include "ControllerFixture.h"
#include "model/PresetCoding.h"

namespace corvane {
namespace {

class PresetStoreTest : public ControllerTest {
protected:
    PresetStore& store() { return controller->presets(); }
};

TEST_F(PresetStoreTest, NamesAreTrimmedAndComparedIgnoringCase) {
    start();
    store().addSizePreset("Work", 800, 600);
    EXPECT_EQ(store().validateName(" \t\n "), QString("Enter a name."));
    EXPECT_EQ(store().validateName("quadrant"), QString("\"quadrant\" is a built-in layout."));
    EXPECT_EQ(store().validateName("  work \n"), QString("\"work\" already exists."));
    EXPECT_EQ(store().validateName("ÉCRAN"), std::nullopt);
    store().addSizePreset("écran", 800, 600);
    EXPECT_EQ(store().validateName("ÉCRAN"), QString("\"ÉCRAN\" already exists."));
    EXPECT_EQ(store().validateName("Wo rk"), std::nullopt) << "inner spaces make another name";
    EXPECT_FALSE(store().addGridPreset("Six pack", 2, 2, {})) << "invalid names never reach the list";
    EXPECT_EQ(store().all().size(), 2);
}

TEST_F(PresetStoreTest, AddingStoresClampedSizesAndCleanedMergesAndSavesAtOnce) {
    start();
    ASSERT_TRUE(store().addSizePreset("  Big  ", 50, 20000));
    ASSERT_TRUE(store().addGridPreset("One", 2, 2, {{0, 0, 1, 1}}));
    ASSERT_TRUE(store().addGridPreset("Two", 3, 3, {{-1, 0, 2, 2}, {0, 0, 3, 3}}));
    const QList<Preset>& presets = store().all();
    EXPECT_EQ(presets[0].name, "Big");
    EXPECT_EQ(presets[0].width, 100);
    EXPECT_EQ(presets[0].height, 10000);
    EXPECT_FALSE(presets[1].merges) << "a single-cell merge leaves no merge list at all";
    EXPECT_EQ(presets[2].merges, (QList<GridSpan>{{0, 0, 1, 2}}));
    EXPECT_NE(presets[1].id, presets[2].id);
    EXPECT_EQ(decodePresets(*platform.defaults.data(kPresetsKey)), presets);
}

TEST_F(PresetStoreTest, DeletingOneOfTwoPresetsSharingANameLeavesReferencesAlone) {
    Preset first;
    first.id = QUuid::createUuid();
    first.name = "Same";
    first.rows = 1;
    first.cols = 2;
    Preset second = first;
    second.id = QUuid::createUuid();
    platform.defaults.setData(kPresetsKey, *encodePresets({first, second}));
    platform.defaults.setObject(kHotkeyAssignmentsKey, QVariantMap{{"3", "Same"}});
    start();
    bool released = false;
    QObject::connect(&store(), &PresetStore::presetNameReleased, [&] { released = true; });
    store().deletePreset(first.id);
    EXPECT_EQ(store().all(), QList<Preset>{second});
    EXPECT_EQ(controller->hotkeys().assignments().value(3), "Same");
    EXPECT_FALSE(released);
}

TEST_F(PresetStoreTest, CorruptStoredPresetsAreLeftUntouchedUntilTheNextAddReplacesThem) {
    const QByteArray corrupt = "[{\"id\":\"nope\",\"name\":\"x\"}";
    platform.defaults.setData(kPresetsKey, corrupt);
    desk.defaults().clearWrites();
    start();
    EXPECT_TRUE(store().all().isEmpty());
    EXPECT_EQ(platform.defaults.data(kPresetsKey), corrupt);
    EXPECT_TRUE(desk.defaults().writesOf(kPresetsKey).isEmpty());

    store().addSizePreset("Fresh", 640, 480);
    const auto stored = decodePresets(*platform.defaults.data(kPresetsKey));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->size(), 1);
    EXPECT_EQ(stored->first().name, "Fresh");
}

TEST_F(PresetStoreTest, ValidStoredPresetsAreLoadedAndWrittenBackAtStart) {
    Preset p;
    p.id = QUuid::createUuid();
    p.name = "Loaded";
    p.width = 1280;
    p.height = 800;
    platform.defaults.setData(kPresetsKey, *encodePresets({p}));
    desk.defaults().clearWrites();
    start();
    EXPECT_EQ(store().all(), QList<Preset>{p});
    EXPECT_EQ(desk.defaults().writesOf(kPresetsKey).size(), 1);
}

TEST_F(PresetStoreTest, LayoutNamesResolveBuiltInsFirstThenTheFirstPresetOfThatName) {
    start();
    store().addSizePreset("Mixed", 800, 600);
    store().addGridPreset("Grid", 1, 2, {});
    EXPECT_EQ(store().layout("Split")->zones.size(), 2);
    EXPECT_FALSE(store().layout("split"));
    EXPECT_FALSE(store().layout("Mixed")) << "a size preset is no layout";
    EXPECT_EQ(store().layout("Grid")->zones.size(), 2);
}

} // namespace
} // namespace corvane
