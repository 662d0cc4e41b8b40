// The settings window's content on the simulated desktop, driven with QTest: the name limit and the
// name rows, pickers that follow the presets, the drag-to-snap rows, the Quick Snap confirmation,
// the manual size, the wheel and the tab order, the hotkey card, and the cards a desktop cannot
// serve. Each test finds the controls by their object names in the card it is about.
#include "app/SettingsView.h"

#include "app/ChordButton.h"
#include "app/HotkeyGrabsView.h"
#include "app/settings/DragSnapCard.h"
#include "app/settings/EdgeTilingOffer.h"
#include "app/settings/ExcludedApplicationsCard.h"
#include "app/settings/GeneralCard.h"
#include "app/settings/GridBuilderCard.h"
#include "app/settings/GroupRaiseCard.h"
#include "app/settings/HotkeysCard.h"
#include "app/settings/ManualSizeCard.h"
#include "app/settings/MonitorMap.h"
#include "app/settings/NeighbourResizeCard.h"
#include "app/settings/PresetNameRow.h"
#include "app/settings/PresetsCard.h"
#include "app/settings/QuickSnapCard.h"
#include "app/settings/SettingsCard.h"
#include "app/settings/ZoneSpacingCard.h"
#include "control/ControllerFixture.h"
#include "dragsnap/DragSnapSettings.h"
#include "input/HotkeyGrabs.h"
#include "input/HotkeyRules.h"
#include "model/BuiltInLayouts.h"
#include "palette/QuickSnapSettings.h"
#include "support/RecordingMonitor.h"
#include "ui/GridBuilderView.h"
#include "ui/QuickSnapTexts.h"
#include "ui/SnapLayoutView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QToolButton>

namespace corvane {
namespace {

// A desktop that tiles at its edges, as the settings window sees it; nothing here may change it.
class FixedEdgeTiling final : public EdgeTiling {
public:
    explicit FixedEdgeTiling(bool mayTurnOff)
        : m_mayTurnOff(mayTurnOff) {}
    QString desktopName() const override { return QStringLiteral("the desktop"); }
    bool mayTurnOff() const override { return m_mayTurnOff; }
    bool isOn() const override { return true; }
    void setOn(bool) override { ADD_FAILURE() << "the desktop's edge tiling changed unasked"; }

private:
    bool m_mayTurnOff;
};

class SettingsViewTest : public ControllerTest {
protected:
    RecordingMonitor dragSnapMonitor;
    RecordingMonitor paletteMonitor;
    std::optional<DragSnapSettings> dragSnapSettings;
    std::optional<QuickSnapSettings> paletteSettings;
    std::optional<HotkeyGrabs> hotkeyGrabs;
    std::optional<SettingsView> view;

    void open(Capabilities capabilities = kAllCapabilities, EdgeTiling* edgeTiling = nullptr) {
        view.reset();
        dragSnapSettings.emplace(platform, dragSnapMonitor);
        paletteSettings.emplace(platform, paletteMonitor);
        start();
        QObject::connect(&controller->presets(), &PresetStore::presetNameReleased, &*dragSnapSettings,
                         &DragSnapSettings::releaseLayoutName);
        hotkeyGrabs.emplace(platform, controller->hotkeys().chords());
        QObject::connect(&controller->hotkeys(), &HotkeyTable::chordsChanged, &*hotkeyGrabs,
                         [this] { hotkeyGrabs->setChords(controller->hotkeys().chords()); });
        view.emplace(*controller, *dragSnapSettings, *paletteSettings, *hotkeyGrabs, capabilities, nullptr,
                     edgeTiling);
        view->resize(600, 600);
        view->show();
    }
    template <class Card> Card* card() const {
        auto* found = view->widget()->findChild<Card*>();
        if (!found)
            ADD_FAILURE() << Card::staticMetaObject.className() << " is missing";
        return found;
    }
    // The control of that object name in the card.
    template <class Widget, class Card> Widget* in(const char* name) const {
        auto* found = card<Card>()->template findChild<Widget*>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << name << " is missing from " << Card::staticMetaObject.className();
        return found;
    }
    struct NameRow {
        QLineEdit* field;
        QToolButton* add;
        QLabel* message;
    };
    template <class Card> NameRow nameRow(const char* name) const {
        QWidget* row = in<PresetNameRow, Card>(name);
        return {row->findChild<QLineEdit*>("field"), row->findChild<QToolButton*>("add"),
                row->findChild<QLabel*>("message")};
    }
    QComboBox* hotkeyPicker(int n) const {
        return in<QComboBox, HotkeysCard>(qPrintable(QStringLiteral("layoutFor%1").arg(n)));
    }
    QComboBox* dragSnapLayoutPicker() const { return in<QComboBox, DragSnapCard>("dragSnapLayout"); }
    QWidget* presetList() const { return in<QWidget, PresetsCard>("presetList"); }
    QString presetCount() const { return in<QLabel, PresetsCard>("presetCount")->text(); }
    GridBuilderView* gridBuilder() const { return card<GridBuilderCard>()->findChild<GridBuilderView*>(); }
    // Replaced widgets go at the next turn of the event loop.
    static void dropReplaced() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static QStringList options(const QComboBox* picker) {
        QStringList texts;
        for (int i = 0; i < picker->count(); ++i)
            texts.append(picker->itemText(i));
        return texts;
    }
    // Picks an option the way a user does: the picker announces it as activated.
    static void choose(QComboBox* picker, const QString& text) {
        const int index = picker->findText(text);
        ASSERT_GE(index, 0) << qPrintable(text);
        picker->setCurrentIndex(index);
        emit picker->activated(index);
    }
    // On the box, where a user clicks; the widget is wider than its box and text.
    static void clickToggle(QCheckBox* toggle) {
        QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(8, toggle->height() / 2));
    }
    QStringList presetListTexts() const {
        QStringList texts;
        dropReplaced();
        if (auto* label = qobject_cast<QLabel*>(presetList()))
            texts.append(label->text());
        for (const QLabel* label : presetList()->findChildren<QLabel*>())
            texts.append(label->text());
        return texts;
    }
    QToolButton* deleteButtonOf(const QString& name) const {
        dropReplaced();
        for (QToolButton* button : presetList()->findChildren<QToolButton*>()) {
            if (button->accessibleName() == "Delete " + name)
                return button;
        }
        return nullptr;
    }
};

TEST_F(SettingsViewTest, TheNameRowsLimitAndCheckTheNameAndSaveWhatIsDrawn) {
    open();
    const NameRow row = nameRow<GridBuilderCard>("gridName");
    EXPECT_FALSE(row.add->isEnabled()) << "an empty name";
    EXPECT_FALSE(row.message->isVisible()) << "no message while nothing is typed";

    QTest::keyClicks(row.field, "abcdefghijklmnopqrst");
    EXPECT_EQ(row.field->text(), "abcdefghijklmno") << "typing stops at 15 characters";
    // A paste is cut by characters as the user sees them: a family emoji is one, though many code units.
    const QString family = QString::fromUtf8("👩‍👩‍👧");
    row.field->setText(family.repeated(20));
    EXPECT_EQ(row.field->text(), family.repeated(15));
    EXPECT_EQ(PresetNameRow::limitedName(QString::fromUtf8("e\u0301").repeated(16)),
              QString::fromUtf8("e\u0301").repeated(15))
        << "a letter with a combining accent counts once";

    row.field->setText(builtInLayouts()[0].name.toUpper());
    EXPECT_FALSE(row.add->isEnabled()) << "a built-in layout's name in other letter case";
    EXPECT_TRUE(row.message->isVisibleTo(view->widget()));
    EXPECT_EQ(row.message->text(), *controller->presets().validateName(builtInLayouts()[0].name.toUpper()));

    // A valid name saves the grid as drawn and empties what was typed and drawn.
    in<QSpinBox, GridBuilderCard>("rows")->setValue(3);
    gridBuilder()->setMerges({{0, 0, 2, 1}});
    row.field->setText("  Tall left ");
    ASSERT_TRUE(row.add->isEnabled());
    EXPECT_FALSE(row.message->isVisibleTo(view->widget()));
    QTest::mouseClick(row.add, Qt::LeftButton);
    ASSERT_EQ(controller->presets().all().size(), 1);
    const Preset& saved = controller->presets().all()[0];
    EXPECT_EQ(saved.name, "Tall left");
    EXPECT_EQ(saved.rows, 3);
    EXPECT_EQ(saved.cols, 2);
    EXPECT_EQ(saved.merges, QList<GridSpan>({{0, 0, 2, 1}}));
    EXPECT_TRUE(row.field->text().isEmpty());
    EXPECT_TRUE(gridBuilder()->merges().isEmpty());
    EXPECT_TRUE(gridBuilder()->selection().isEmpty());

    // The same name again is refused in the other card too, with the controller's message.
    const NameRow sizeRow = nameRow<ManualSizeCard>("presetName");
    QTest::keyClicks(sizeRow.field, "tall LEFT");
    EXPECT_FALSE(sizeRow.add->isEnabled());
    EXPECT_EQ(sizeRow.message->text(), "\"tall LEFT\" already exists.");
}

TEST_F(SettingsViewTest, PickersListTheRightNamesAndLoseADeletedPresetsName) {
    open();
    ASSERT_TRUE(controller->presets().addSizePreset("Laptop", 1200.9, 800.2));
    ASSERT_TRUE(controller->presets().addGridPreset("Wide", 1, 3, {}));
    QStringList all{"None"};
    for (const SnapLayout& layout : builtInLayouts())
        all.append(layout.name);
    EXPECT_EQ(options(hotkeyPicker(3)), all + QStringList({"Laptop", "Wide"}));
    EXPECT_EQ(options(dragSnapLayoutPicker()), all.mid(1) + QStringList({"Wide"})) << "grid presets only";
    EXPECT_EQ(presetCount(), "2");

    choose(hotkeyPicker(2), "Laptop");
    EXPECT_EQ(controller->hotkeys().assignments().value(2), "Laptop");
    EXPECT_EQ(platform.defaults.object(kHotkeyAssignmentsKey).toMap().value("2").toString(), "Laptop")
        << "saved at once";
    choose(hotkeyPicker(3), "Wide");
    choose(hotkeyPicker(4), "None");
    EXPECT_EQ(controller->hotkeys().assignments().value(4), "");
    dragSnapSettings->setEnabled(true);
    choose(dragSnapLayoutPicker(), "Wide");
    EXPECT_EQ(dragSnapSettings->layoutName(), "Wide");
    dropReplaced();
    EXPECT_EQ((in<SnapLayoutView, DragSnapCard>("dragSnapThumbnail")->layout().zones.size()), 3);

    QToolButton* deleteWide = deleteButtonOf("Wide");
    ASSERT_TRUE(deleteWide);
    QTest::mouseClick(deleteWide, Qt::LeftButton);
    EXPECT_EQ(presetCount(), "1");
    EXPECT_FALSE(presetListTexts().contains("Wide"));
    EXPECT_FALSE(options(hotkeyPicker(1)).contains("Wide"));
    EXPECT_EQ(hotkeyPicker(3)->currentText(), "None") << "the hotkey was repaired";
    EXPECT_FALSE(options(dragSnapLayoutPicker()).contains("Wide"));
    EXPECT_EQ(dragSnapLayoutPicker()->currentText(), builtInLayouts()[0].name)
        << "drag to snap fell back to the first layout";

    QTest::mouseClick(deleteButtonOf("Laptop"), Qt::LeftButton);
    EXPECT_EQ(presetCount(), "0");
    EXPECT_EQ(presetListTexts(), QStringList({"No presets saved."}));
    EXPECT_EQ(hotkeyPicker(2)->currentText(), "None");
}

TEST_F(SettingsViewTest, DragToSnapRowsFollowTheToggleAndAnUnknownLayoutShowsNothing) {
    open();
    auto* toggle = in<QCheckBox, DragSnapCard>("dragSnapToggle");
    auto* details = in<QWidget, DragSnapCard>("dragSnapDetails");
    auto* trigger = in<QComboBox, DragSnapCard>("trigger");
    auto* restoreSize = in<QCheckBox, DragSnapCard>("restoreSize");
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(details->isVisibleTo(view->widget()));
    clickToggle(toggle);
    EXPECT_TRUE(dragSnapSettings->isEnabled());
    EXPECT_TRUE(details->isVisibleTo(view->widget()));
    choose(trigger, "Near screen edges");
    EXPECT_EQ(dragSnapSettings->trigger(), DragSnapSettings::Trigger::ScreenEdges);
    clickToggle(toggle);
    EXPECT_FALSE(dragSnapSettings->isEnabled());
    EXPECT_FALSE(details->isVisibleTo(view->widget()));
    clickToggle(toggle);
    EXPECT_EQ(trigger->currentText(), "Near screen edges") << "the stored values come back";
    EXPECT_FALSE(restoreSize->isChecked());
    clickToggle(restoreSize);
    EXPECT_TRUE(dragSnapSettings->restoresSizeOnDrag());
    dragSnapSettings->setRestoresSizeOnDrag(false);
    EXPECT_FALSE(restoreSize->isChecked()) << "follows the setting changed elsewhere";
    auto* topPalette = in<QCheckBox, DragSnapCard>("topPalette");
    EXPECT_FALSE(topPalette->isChecked()) << "off where the maximize button opens the palette";
    clickToggle(topPalette);
    EXPECT_TRUE(dragSnapSettings->showsTopPalette());
    dragSnapSettings->setShowsTopPalette(false);
    EXPECT_FALSE(topPalette->isChecked());
    auto* swap = in<QCheckBox, DragSnapCard>("swapOnDrop");
    EXPECT_FALSE(swap->isChecked()) << "a drop only moves the window dropped until the user turns it on";
    clickToggle(swap);
    EXPECT_TRUE(dragSnapSettings->swapsOnDrop());
    dragSnapSettings->setSwapsOnDrop(false);
    EXPECT_FALSE(swap->isChecked());

    dragSnapSettings->setLayoutName("Gone");
    EXPECT_EQ(dragSnapLayoutPicker()->currentIndex(), -1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(details->findChildren<SnapLayoutView*>().isEmpty());

    // The thumbnail snaps the target window into the clicked zone.
    dragSnapSettings->setLayoutName(builtInLayouts()[0].name);
    auto* thumbnail = in<SnapLayoutView, DragSnapCard>("dragSnapThumbnail");
    ASSERT_TRUE(thumbnail);
    QTest::mouseClick(thumbnail->zoneButton(0), Qt::LeftButton);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 720, 875));
}

TEST_F(SettingsViewTest, TheSpacingFieldsSetTheSpacingAndTheThumbnailsFollowIt) {
    platform.defaults.setBool("dragSnapEnabled", true);
    zoneSpacing.setMargin(16);
    open();
    auto* gap = in<QSpinBox, ZoneSpacingCard>("zoneGap");
    auto* margin = in<QSpinBox, ZoneSpacingCard>("zoneMargin");
    EXPECT_EQ(gap->value(), 0);
    EXPECT_EQ(margin->value(), 16);
    EXPECT_EQ(gap->maximum(), 100);
    gap->setValue(24);
    EXPECT_EQ(zoneSpacing.spacing(), ZoneSpacing({24, 16}));
    EXPECT_EQ(platform.defaults.object("zoneGap"), QVariant(qint64(24)));
    zoneSpacing.setMargin(0);
    EXPECT_EQ(margin->value(), 0) << "follows the setting changed elsewhere";
    // Its own thumbnail and the drag-to-snap one draw the spacing as it is now.
    for (const SnapLayoutView* thumbnail : {in<SnapLayoutView, ZoneSpacingCard>("zoneSpacingThumbnail"),
                                            in<SnapLayoutView, DragSnapCard>("dragSnapThumbnail")}) {
        const QRect first = thumbnail->zoneButton(0)->geometry();
        EXPECT_EQ(first.topLeft(), QPoint(0, 0)) << "no margin";
        EXPECT_EQ(thumbnail->zoneButton(1)->geometry().left() - first.right() - 1, 3 + 1)
            << "an eighth of the gap, and the seam";
    }
}

TEST_F(SettingsViewTest, TheResizingCardSetsTheSwitchAndTheAloneKeyAndFollowsThem) {
    open();
    auto* toggle = in<QCheckBox, NeighbourResizeCard>("neighbourResizeToggle");
    auto* aloneKey = in<QComboBox, NeighbourResizeCard>("neighbourResizeAloneKey");
    NeighbourResizeSettings& settings = controller->neighbourResizeSettings();
    EXPECT_TRUE(toggle->isChecked()) << "on by default";
    EXPECT_EQ(aloneKey->currentText(), "Super");
    aloneKey->activated(aloneKey->findText("Shift"));
    EXPECT_EQ(settings.aloneKey(), NeighbourResizeSettings::AloneKey::Shift);
    EXPECT_EQ(platform.defaults.string("neighbourResizeAloneKey"), "shift");
    toggle->click();
    EXPECT_FALSE(settings.isEnabled());
    EXPECT_FALSE(controller->neighbourResizer().isRunning()) << "switching it off stops the resizer";
    EXPECT_FALSE(aloneKey->isEnabled());
    settings.setEnabled(true);
    settings.setAloneKey(NeighbourResizeSettings::AloneKey::Control);
    EXPECT_TRUE(toggle->isChecked()) << "follows the setting changed elsewhere";
    EXPECT_EQ(aloneKey->currentText(), "Control");
}

TEST_F(SettingsViewTest, TheRisingCardSetsItsSwitchAndFollowsIt) {
    open();
    auto* toggle = in<QCheckBox, GroupRaiseCard>("groupRaiseToggle");
    GroupRaiseSettings& settings = controller->groupRaiseSettings();
    EXPECT_FALSE(toggle->isChecked()) << "off by default";
    EXPECT_FALSE(controller->groupRaiser().isRunning());
    toggle->click();
    EXPECT_TRUE(settings.isEnabled());
    EXPECT_EQ(platform.defaults.object("groupRaiseEnabled"), QVariant(true));
    EXPECT_TRUE(controller->groupRaiser().isRunning()) << "switching it on starts the raiser";
    settings.setEnabled(false);
    EXPECT_FALSE(toggle->isChecked()) << "follows the setting changed elsewhere";
    EXPECT_FALSE(controller->groupRaiser().isRunning());
}

TEST_F(SettingsViewTest, AMonitorChosenOnTheMapGetsALayoutOfItsOwnAndTheOthersKeepTheDefault) {
    const Screen laptop{.id = 1, .name = "eDP-1", .frame = QRectF(0, 0, 1440, 900), .connector = "eDP-1"};
    const Screen wide{.id = 2, .name = "DP-1", .frame = QRectF(1440, 0, 2560, 1080), .connector = "DP-1"};
    desk.setScreens({laptop, wide});
    platform.defaults.setBool("dragSnapEnabled", true);
    open();
    auto* map = in<MonitorMap, DragSnapCard>("monitorMap");
    auto* picker = in<QComboBox, DragSnapCard>("monitorLayout");
    const QList<QRectF> rects = map->monitorRects();
    ASSERT_EQ(rects.size(), 2);
    EXPECT_NEAR((rects[1].width() + 3) / (rects[0].width() + 3), 2560.0 / 1440, 0.01) << "drawn to scale";
    EXPECT_NEAR((rects[1].height() + 3) / (rects[0].height() + 3), 1080.0 / 900, 0.01);
    EXPECT_LT(rects[0].right(), rects[1].left());
    EXPECT_LT(rects[0].bottom() - rects[1].bottom(), 1) << "bottoms aligned, as their frames are";
    EXPECT_EQ(picker->currentText(), "Same as all");

    QTest::mouseClick(map, Qt::LeftButton, {}, rects[1].center().toPoint());
    choose(picker, "Thirds");
    EXPECT_EQ(dragSnapSettings->layoutNameFor(wide), "Thirds");
    EXPECT_EQ(dragSnapSettings->layoutNameFor(laptop), "Quadrant");
    EXPECT_EQ(map->accessibleDescription(), "eDP-1: Quadrant, DP-1: Thirds") << "each with its layout";
    dropReplaced();
    auto* thumbnail = in<SnapLayoutView, DragSnapCard>("dragSnapThumbnail");
    EXPECT_EQ(thumbnail->toolTip(), "Thirds");

    map->setFocus();
    QTest::keyClick(map, Qt::Key_Left);
    EXPECT_EQ(picker->currentText(), "Same as all") << "the laptop, chosen by keyboard";
    QTest::keyClick(map, Qt::Key_Right);
    EXPECT_EQ(picker->currentText(), "Thirds");
    choose(picker, "Same as all");
    EXPECT_EQ(dragSnapSettings->layoutNameFor(wide), "Quadrant") << "the default again";
}

TEST_F(SettingsViewTest, TheLastActiveApplicationIsAddedToTheAppsLeftAloneAndRemovedFromThem) {
    open();
    auto* add = in<QPushButton, ExcludedApplicationsCard>("addExcludedApplication");
    const auto listed = [this] {
        QStringList texts;
        for (const QLabel* label : card<ExcludedApplicationsCard>()->findChildren<QLabel*>())
            texts.append(label->text());
        return texts;
    };
    EXPECT_TRUE(listed().contains("No applications."));
    desk.activateApplication(desk.thisProcessPid()); // the settings window itself is never added
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(controller->excludedApplications().names(), (QStringList{"Editor"}));
    dropReplaced();
    EXPECT_TRUE(listed().contains("Editor"));
    EXPECT_FALSE(listed().contains("No applications."));

    QToolButton* remove = nullptr;
    for (QToolButton* button : card<ExcludedApplicationsCard>()->findChildren<QToolButton*>())
        if (button->accessibleName() == "Remove Editor")
            remove = button;
    ASSERT_TRUE(remove);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_TRUE(controller->excludedApplications().names().isEmpty());
    EXPECT_EQ(platform.defaults.array("excludedApplications"), QVariantList{});
}

TEST_F(SettingsViewTest, QuickSnapTurnsOnOnlyAfterConfirmation) {
    open();
    auto* toggle = in<QCheckBox, QuickSnapCard>("quickSnapToggle");
    const auto confirmation = [this] { return card<QuickSnapCard>()->findChild<QMessageBox*>(); };
    clickToggle(toggle);
    QMessageBox* alert = confirmation();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->text(), "Turn on the maximize-button palette?");
    EXPECT_TRUE(alert->informativeText().contains("maximize button"));
    EXPECT_FALSE(paletteSettings->isEnabled()) << "nothing changes before the answer";
    EXPECT_FALSE(toggle->isChecked());
    const auto buttonNamed = [](QMessageBox* box, const QString& text) -> QAbstractButton* {
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    };
    ASSERT_TRUE(buttonNamed(alert, "Cancel"));
    buttonNamed(alert, "Cancel")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(confirmation());
    EXPECT_FALSE(paletteSettings->isEnabled());
    EXPECT_FALSE(toggle->isChecked());

    clickToggle(toggle);
    alert = confirmation();
    ASSERT_TRUE(alert && buttonNamed(alert, "Turn On"));
    buttonNamed(alert, "Turn On")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(paletteSettings->isEnabled());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_FALSE(confirmation());

    clickToggle(toggle);
    EXPECT_FALSE(confirmation()) << "turning it off needs no confirmation";
    EXPECT_FALSE(paletteSettings->isEnabled());
}

TEST_F(SettingsViewTest, ManualSizeClampsAndLaunchAtLoginShowsTheRealState) {
    open();
    auto* height = in<QDoubleSpinBox, ManualSizeCard>("height");
    const NameRow name = nameRow<ManualSizeCard>("presetName");
    in<QDoubleSpinBox, ManualSizeCard>("width")->setValue(50);
    height->setValue(20000);
    QTest::mouseClick(in<QPushButton, ManualSizeCard>("apply"), Qt::LeftButton);
    desk.settle();
    EXPECT_EQ(desk.log().effects().first(), "write AXSize 100x10000");
    EXPECT_EQ(ManualSizeCard::clampedSize(std::nan(""), 100.5), QSizeF(100, 100.5));

    height->setValue(700);
    QTest::keyClicks(name.field, "Narrow");
    QTest::mouseClick(name.add, Qt::LeftButton);
    ASSERT_EQ(controller->presets().all().size(), 1);
    EXPECT_EQ(controller->presets().all()[0].width, 100.0) << "the clamped size is saved";
    EXPECT_EQ(controller->presets().all()[0].height, 700.0);
    EXPECT_TRUE(name.field->text().isEmpty());

    auto* launchAtLogin = in<QCheckBox, GeneralCard>("launchAtLogin");
    clickToggle(launchAtLogin);
    EXPECT_EQ(desk.loginItem().status(), LoginItemStatus::Enabled);
    EXPECT_TRUE(launchAtLogin->isChecked());
    // A registration that fails leaves the toggle showing the real state.
    desk.loginItem().setFailure(QStringLiteral("no session bus"));
    clickToggle(launchAtLogin);
    EXPECT_TRUE(launchAtLogin->isChecked());
}

TEST_F(SettingsViewTest, AWheelOverAControlWithoutTheFocusScrollsThePageAndChangesNothing) {
    open();
    view->resize(600, 300);
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view->window()));
    nameRow<ManualSizeCard>("presetName").field->setFocus(); // the focus is elsewhere, as after typing a name
    QScrollBar* page = view->verticalScrollBar();
    ASSERT_GT(page->maximum(), 0) << "a page that scrolls";
    // One notch down, delivered as the window system delivers it: Qt passes only such events on to
    // the parents, and gives wheel-focus controls the focus with them.
    const auto turnDown = [](QWidget* over) {
        QWheelEvent notch(QPointF(5, 5), QPointF(over->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&notch);
        qApp->notify(over, &notch); // as QTest does: sendEvent() would make it synthetic
    };
    const auto valueOf = [](QWidget* control) {
        if (auto* picker = qobject_cast<QComboBox*>(control))
            return picker->currentText();
        return qobject_cast<QAbstractSpinBox*>(control)->text();
    };
    // One control of each kind the cards build: each kind gets its guard in one place.
    const QList<QWidget*> controls{hotkeyPicker(1), in<QSpinBox, GridBuilderCard>("rows"),
                                   in<QDoubleSpinBox, ManualSizeCard>("width")};
    for (QWidget* control : controls) {
        page->setValue(0);
        const QString before = valueOf(control);
        turnDown(control);
        EXPECT_EQ(valueOf(control), before) << qPrintable(control->accessibleName());
        EXPECT_FALSE(control->hasFocus()) << qPrintable(control->accessibleName());
        EXPECT_GT(page->value(), 0) << qPrintable(control->accessibleName()) << ": the page scrolls instead";
    }
    EXPECT_TRUE(desk.defaults().writesOf(kHotkeyAssignmentsKey).isEmpty());

    // A control the user has clicked or tabbed into takes the wheel as usual.
    auto* rows = in<QSpinBox, GridBuilderCard>("rows");
    rows->setFocus(Qt::TabFocusReason);
    turnDown(rows);
    EXPECT_EQ(rows->value(), 1);
}

TEST_F(SettingsViewTest, TabReachesEveryControlAndEachHasAName) {
    open();
    ASSERT_TRUE(controller->presets().addGridPreset("Wide", 1, 3, {}));
    dragSnapSettings->setEnabled(true);
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view->window()));
    QList<QWidget*> controls;
    for (QWidget* widget : view->widget()->findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
                               qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QLineEdit*>(widget);
        // A spin box's or picker's own line edit is part of that control.
        const bool isPart =
            qobject_cast<QLineEdit*>(widget) && (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) ||
                                                 qobject_cast<QComboBox*>(widget->parentWidget()));
        if (isControl && !isPart && widget->isVisibleTo(view->widget()) && widget->isEnabled())
            controls.append(widget);
    }
    ASSERT_GT(controls.size(), 20);
    QSet<QWidget*> reached;
    controls.first()->setFocus(Qt::TabFocusReason);
    const auto allReached = [&] {
        return std::all_of(controls.cbegin(), controls.cend(),
                           [&](QWidget* c) { return reached.contains(c); });
    };
    for (int i = 0; i < 300 && !allReached(); ++i) {
        if (QWidget* focused = QApplication::focusWidget())
            reached.insert(focused->focusProxy() ? focused->focusProxy() : focused);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* control : controls) {
        EXPECT_TRUE(reached.contains(control))
            << control->metaObject()->className() << " " << qPrintable(control->accessibleName());
        const auto* button = qobject_cast<QAbstractButton*>(control);
        const QString name =
            control->accessibleName().isEmpty() && button ? button->text() : control->accessibleName();
        EXPECT_FALSE(name.isEmpty()) << control->metaObject()->className() << " has no accessible name";
    }
}

TEST_F(SettingsViewTest, TheHotkeyCardShowsTheKeyClashNoticeTheOptionAndTheOffer) {
    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"),
                                       {*defaultHotkeyChords()[int(HotkeyAction::Next)]});
    open();
    const auto* clashes = card<HotkeysCard>()->findChild<HotkeyGrabsView*>();
    ASSERT_TRUE(clashes) << "in the hotkey card";
    EXPECT_TRUE(clashes->findChild<QWidget*>("notice")->isVisible());
    EXPECT_EQ(clashes->findChild<QLabel*>("noticeText")->text(), hotkeyGrabs->clashDescription());
    auto* consume = clashes->findChild<QCheckBox*>("consumeKeys");
    clickToggle(consume);
    EXPECT_TRUE(hotkeyGrabs->consumesKeys());
    hotkeyGrabs->setConsumesKeys(false); // changed elsewhere
    EXPECT_FALSE(consume->isChecked());

    // The offer, taken, becomes the table: stored, shown, and the notice goes. Control+Alt+Super+Right,
    // first in the list, is the swap's: the next in the list is offered.
    auto* offer = clashes->findChild<QPushButton*>("offer");
    EXPECT_EQ(offer->text(), "Use Ctrl + Super + Right instead");
    QTest::mouseClick(offer, Qt::LeftButton);
    const KeyChord superRight{GrabKey::RightArrow, 0, modifier::kControl | modifier::kCommand};
    EXPECT_EQ(controller->hotkeys().chords()[int(HotkeyAction::Next)], superRight);
    EXPECT_EQ(platform.defaults.object(kHotkeyChordsKey).toMap().value("next"), "Ctrl+Super+Right");
    EXPECT_EQ((in<ChordButton, HotkeysCard>("chordNext")->text()), "Ctrl + Super + Right");
    EXPECT_EQ((in<ChordButton, HotkeysCard>("chord-swap-right")->text()), "Ctrl + Alt + Super + Right")
        << "the swaps' chords are listed with the others";
    EXPECT_FALSE(clashes->findChild<QWidget*>("notice")->isVisible());
    EXPECT_EQ((in<ChordButton, HotkeysCard>("chordQuickSnap")->text()), "Ctrl + Alt + 0")
        << "the palette's chord is listed with the others";
}

TEST_F(SettingsViewTest, AChordIsRecordedAndSavedUnlessItIsTaken) {
    using namespace modifier;
    const KeyChord held{GrabKey::Digit, 8, kControl | kCommand};
    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"), {held});
    open();
    auto* one = in<ChordButton, HotkeysCard>("chord1");
    auto* message = in<QLabel, HotkeysCard>("chordMessage");
    EXPECT_EQ(one->text(), "Ctrl + Alt + 1");
    EXPECT_EQ(hotkeyPicker(1)->accessibleName(), "Layout for Ctrl + Alt + 1");
    const auto record = [&](const Event& key) {
        QTest::mouseClick(one, Qt::LeftButton);
        EXPECT_TRUE(desk.keyGrabs().isKeyboardGrabbed()) << "the keyboard is grabbed while recording";
        EXPECT_EQ(one->text(), "Press a chord…");
        desk.events().sendLocal(key);
        EXPECT_FALSE(desk.keyGrabs().isKeyboardGrabbed());
    };

    // Held by the window manager: said, not saved.
    record(SimEvents::keyDown("8", 0, kControl | kCommand));
    EXPECT_EQ(one->text(), "Ctrl + Alt + 1");
    EXPECT_TRUE(message->isVisible());
    EXPECT_TRUE(message->text().contains("Openbox acts on it first")) << qPrintable(message->text());
    EXPECT_EQ(controller->hotkeys().chords(), defaultHotkeyChords());
    EXPECT_TRUE(desk.defaults().writesOf(kHotkeyChordsKey).isEmpty());

    // Free: saved and shown; the picker's name follows.
    record(SimEvents::keyDown("9", 0, kControl | kCommand | kNumericPad));
    EXPECT_FALSE(message->isVisible());
    EXPECT_EQ(controller->hotkeys().chords()[0], (KeyChord{GrabKey::Digit, 9, kControl | kCommand}));
    EXPECT_EQ(platform.defaults.object(kHotkeyChordsKey).toMap().value("1"), "Ctrl+Super+9");
    EXPECT_EQ(one->text(), "Ctrl + Super + 9");
    EXPECT_EQ(hotkeyPicker(1)->accessibleName(), "Layout for Ctrl + Super + 9");

    // Escape keeps the chord; closing the window lets the keyboard go.
    record(SimEvents::keyDown("", keycode::kEscape, 0));
    EXPECT_EQ(one->text(), "Ctrl + Super + 9");
    QTest::mouseClick(one, Qt::LeftButton);
    view->hide();
    EXPECT_FALSE(desk.keyGrabs().isKeyboardGrabbed());
    EXPECT_EQ(one->text(), "Ctrl + Super + 9");
}

TEST_F(SettingsViewTest, ACardTheDesktopCannotServeSaysSoInPlaceOfItsControls) {
    struct Row {
        Capabilities missing;
        QStringList cards;  // the cards whose controls go; none when nothing is lost
        QStringList titles; // theirs, each with its line
        QStringList lines;
    };
    const QList<Row> rows{
        {{}, {}, {}, {}},
        {Capability::LoginItem,
         {"corvane::GeneralCard"},
         {"SETTINGS"},
         {"Launch at login is not available on this desktop."}},
        {Capability::Hotkeys,
         {"corvane::HotkeysCard"},
         {"HOTKEYS"},
         {"Hotkeys are not available on this desktop."}},
        // Resizing together reads the user's resize where drag to snap reads the drag.
        {Capability::DragObservation,
         {"corvane::DragSnapCard", "corvane::NeighbourResizeCard"},
         {"DRAG TO SNAP", "RESIZING TOGETHER"},
         {"Drag to snap is not available on this desktop.",
          "Resizing windows together is not available on this desktop."}},
        {Capability::MaximizeButtonPalette,
         {"corvane::QuickSnapCard"},
         {quickSnapTexts::cardTitle()},
         {"Quick Snap on the maximize button is not available on this desktop."}},
        {Capability::RaiseWithoutFocus,
         {"corvane::GroupRaiseCard"},
         {"RISING TOGETHER"},
         {"Bringing snapped windows to the front together is not available on this desktop."}},
        // Where Corvane cannot draw the preview, the desktop's own part draws it: drag to snap stays.
        {Capability::OwnOverlay, {}, {}, {}},
    };
    const QStringList allCards{"corvane::GeneralCard",
                               "corvane::HotkeysCard",
                               "corvane::DragSnapCard",
                               "corvane::QuickSnapCard",
                               "corvane::ZoneSpacingCard",
                               "corvane::NeighbourResizeCard",
                               "corvane::GroupRaiseCard",
                               "corvane::GridBuilderCard",
                               "corvane::ManualSizeCard",
                               "corvane::PresetsCard",
                               "corvane::ExcludedApplicationsCard"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lines.isEmpty() ? "nothing lost" : qPrintable(row.lines.join(' ')));
        open(kAllCapabilities & ~row.missing);
        QStringList shown;
        for (const SettingsCard* card : view->widget()->findChildren<SettingsCard*>())
            shown.append(card->metaObject()->className());
        const QList<QLabel*> unavailable = view->widget()->findChildren<QLabel*>("unavailable");
        QStringList lines;
        for (const QLabel* line : unavailable)
            lines.append(line->text());
        if (row.cards.isEmpty()) {
            EXPECT_EQ(shown, allCards);
            EXPECT_TRUE(lines.isEmpty());
            continue;
        }
        for (const QString& card : row.cards)
            EXPECT_FALSE(shown.contains(card)) << "none of its controls: " << card.toStdString();
        EXPECT_EQ(shown.size(), allCards.size()) << "every card keeps its place";
        ASSERT_EQ(lines, row.lines);
        for (qsizetype i = 0; i < unavailable.size(); ++i) {
            QStringList cardTexts;
            for (const QLabel* label : unavailable[i]->parentWidget()->findChildren<QLabel*>())
                cardTexts.append(label->text());
            EXPECT_EQ(cardTexts, QStringList({row.titles[i], row.lines[i]}))
                << "its title and the line, nothing more";
        }
    }
}

TEST_F(SettingsViewTest, ADesktopThatTilesAtItsEdgesGetsTheNoteOnHowToTurnThatOff) {
    FixedEdgeTiling notToTurnOff(false);
    FixedEdgeTiling toTurnOff(true);
    for (EdgeTiling* edgeTiling : std::initializer_list<EdgeTiling*>{nullptr, &notToTurnOff, &toTurnOff}) {
        open(kAllCapabilities, edgeTiling);
        const bool tilesAtEdges = edgeTiling == &notToTurnOff;
        const auto* note = view->widget()->findChild<QLabel*>("edgeTilingNote");
        EXPECT_EQ(note != nullptr, tilesAtEdges);
        if (note) {
            EXPECT_EQ(note->text(), DragSnapCard::edgeTilingNote());
        }
        EXPECT_EQ(view->widget()->findChild<EdgeTilingOffer*>() != nullptr, edgeTiling == &toTurnOff)
            << "where Corvane may turn it off, the card offers to in place of the note";
    }
    view.reset();
}

} // namespace
} // namespace corvane
