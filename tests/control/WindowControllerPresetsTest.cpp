// The preset store: name validation with its exact messages, adding, deleting with every repair of
// references by name, and stored data that cannot be decoded.
#include "ControllerFixture.h"
#include "model/PresetCoding.h"

namespace corvane {
namespace {

TEST_F(ControllerTest, NamesAreTrimmedAndComparedIgnoringCase) {
    start();
    controller->addSizePreset("Work", 800, 600);
    EXPECT_EQ(controller->validatePresetName(" \t\n "), QString("Enter a name."));
    EXPECT_EQ(controller->validatePresetName("quadrant"), QString("\"quadrant\" is a built-in layout."));
    EXPECT_EQ(controller->validatePresetName("  work \n"), QString("\"work\" already exists."));
    EXPECT_EQ(controller->validatePresetName("ÉCRAN"), std::nullopt);
    controller->addSizePreset("écran", 800, 600);
    EXPECT_EQ(controller->validatePresetName("ÉCRAN"), QString("\"ÉCRAN\" already exists."));
    EXPECT_EQ(controller->validatePresetName("Wo rk"), std::nullopt) << "inner spaces make another name";
    EXPECT_FALSE(controller->addGridPreset("Six pack", 2, 2, {})) << "invalid names never reach the list";
    EXPECT_EQ(controller->presets().size(), 2);
}

TEST_F(ControllerTest, AddingStoresClampedSizesAndCleanedMergesAndSavesAtOnce) {
    start();
    ASSERT_TRUE(controller->addSizePreset("  Big  ", 50, 20000));
    ASSERT_TRUE(controller->addGridPreset("One", 2, 2, {{0, 0, 1, 1}}));
    ASSERT_TRUE(controller->addGridPreset("Two", 3, 3, {{-1, 0, 2, 2}, {0, 0, 3, 3}}));
    const QList<Preset>& presets = controller->presets();
    EXPECT_EQ(presets[0].name, "Big");
    EXPECT_EQ(presets[0].width, 100);
    EXPECT_EQ(presets[0].height, 10000);
    EXPECT_FALSE(presets[1].merges) << "a single-cell merge leaves no merge list at all";
    EXPECT_EQ(presets[2].merges, (QList<GridSpan>{{0, 0, 1, 2}}));
    EXPECT_NE(presets[1].id, presets[2].id);
    EXPECT_EQ(decodePresets(*platform.defaults.data(kPresetsKey)), presets);
}

TEST_F(ControllerTest, DeletingRepairsHotkeysTheDragSnapNameAndTheCycleOnlyWhenNoPresetKeepsTheName) {
    start();
    controller->addGridPreset("Desk", 1, 2, {});
    controller->addSizePreset("Desk2", 900, 700);
    controller->addGridPreset("Other", 1, 3, {});
    HotkeyAssignments table = controller->hotkeyAssignments();
    table[3] = "Desk";
    table[4] = "Other";
    controller->setHotkeyAssignments(table);
    controller->saveHotkeyAssignments();
    QStringList released;
    QObject::connect(controller.get(), &WindowController::presetNameReleased,
                     [&](const QString& name) { released.append(name); });

    controller->applyLayout("Desk");
    desk.settle();
    controller->deletePreset(controller->presets()[0].id);
    desk.settle();
    EXPECT_EQ(controller->hotkeyAssignments().value(3), "");
    EXPECT_EQ(controller->hotkeyAssignments().value(4), "Other");
    EXPECT_EQ(hotkeyAssignmentsFromStored(platform.defaults.object(kHotkeyAssignmentsKey)).value(3), "");
    EXPECT_EQ(released, QStringList{"Desk"});
    EXPECT_FALSE(controller->isCyclingActive());
    EXPECT_FALSE(controller->lastActiveLayoutName());
    EXPECT_EQ(decodePresets(*platform.defaults.data(kPresetsKey))->size(), 2);

    const qsizetype writesBefore = desk.defaults().writes().size();
    controller->deletePreset(QUuid::createUuid());
    EXPECT_EQ(desk.defaults().writes().size(), writesBefore) << "an unknown id changes and saves nothing";
}

TEST_F(ControllerTest, DeletingOneOfTwoPresetsSharingANameLeavesReferencesAlone) {
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
    QObject::connect(controller.get(), &WindowController::presetNameReleased, [&] { released = true; });
    controller->deletePreset(first.id);
    EXPECT_EQ(controller->presets(), QList<Preset>{second});
    EXPECT_EQ(controller->hotkeyAssignments().value(3), "Same");
    EXPECT_FALSE(released);
}

TEST_F(ControllerTest, CorruptStoredPresetsAreLeftUntouchedUntilTheNextAddReplacesThem) {
    const QByteArray corrupt = "[{\"id\":\"nope\",\"name\":\"x\"}";
    platform.defaults.setData(kPresetsKey, corrupt);
    desk.defaults().clearWrites();
    start();
    EXPECT_TRUE(controller->presets().isEmpty());
    EXPECT_EQ(platform.defaults.data(kPresetsKey), corrupt);
    EXPECT_TRUE(desk.defaults().writesOf(kPresetsKey).isEmpty());

    controller->addSizePreset("Fresh", 640, 480);
    const auto stored = decodePresets(*platform.defaults.data(kPresetsKey));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->size(), 1);
    EXPECT_EQ(stored->first().name, "Fresh");
}

TEST_F(ControllerTest, ValidStoredPresetsAreLoadedAndWrittenBackAtStart) {
    Preset p;
    p.id = QUuid::createUuid();
    p.name = "Loaded";
    p.width = 1280;
    p.height = 800;
    platform.defaults.setData(kPresetsKey, *encodePresets({p}));
    desk.defaults().clearWrites();
    start();
    EXPECT_EQ(controller->presets(), QList<Preset>{p});
    EXPECT_EQ(desk.defaults().writesOf(kPresetsKey).size(), 1);
}

} // namespace
} // namespace corvane
