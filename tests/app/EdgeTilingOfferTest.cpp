// The desktop's own edge tiling in the settings window's drag-to-snap card, on the simulated desktop
// with a store of the setting that behaves as GSettings does (a write is announced as a change): the
// offer follows drag to snap and the setting, also when the setting changes elsewhere, and only a
// click changes the setting.
#include "app/settings/EdgeTilingOffer.h"

#include "app/SettingsView.h"
#include "app/settings/DragSnapCard.h"
#include "control/ControllerFixture.h"
#include "dragsnap/DragSnapSettings.h"
#include "input/HotkeyGrabs.h"
#include "palette/QuickSnapSettings.h"
#include "support/RecordingMonitor.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace corvane {
namespace {

class StoredEdgeTiling final : public EdgeTiling {
public:
    QString desktopName() const override { return QStringLiteral("GNOME"); }
    bool mayTurnOff() const override { return true; }
    bool isOn() const override { return m_isOn; }
    void setOn(bool on) override {
        writes.append(on);
        changeElsewhere(on);
    }
    // As GNOME Settings or gsettings would.
    void changeElsewhere(bool on) {
        if (on == m_isOn)
            return;
        m_isOn = on;
        emit isOnChanged(on);
    }
    QList<bool> writes;

private:
    bool m_isOn = true; // GNOME's default
};

class EdgeTilingOfferTest : public ControllerTest {
protected:
    RecordingMonitor dragSnapMonitor;
    RecordingMonitor paletteMonitor;
    std::optional<DragSnapSettings> dragSnapSettings;
    std::optional<QuickSnapSettings> paletteSettings;
    std::optional<HotkeyGrabs> hotkeyGrabs;
    StoredEdgeTiling tiling;
    std::optional<SettingsView> view;

    void open(EdgeTiling* edgeTiling) {
        dragSnapSettings.emplace(platform, dragSnapMonitor);
        paletteSettings.emplace(platform, paletteMonitor);
        start();
        hotkeyGrabs.emplace(platform, controller->hotkeys().chords());
        view.emplace(*controller, *dragSnapSettings, *paletteSettings, *hotkeyGrabs, kAllCapabilities,
                     nullptr, edgeTiling);
        view->resize(600, 900);
        view->show();
    }
    EdgeTilingOffer* offer() const {
        auto* card = view->widget()->findChild<DragSnapCard*>();
        return card ? card->findChild<EdgeTilingOffer*>() : nullptr;
    }
    QLabel* text() const { return offer()->findChild<QLabel*>("edgeTilingOfferText"); }
    QPushButton* button() const { return offer()->findChild<QPushButton*>("edgeTilingOfferButton"); }
    bool isShown() const { return offer()->isVisibleTo(view->widget()); }
};

TEST_F(EdgeTilingOfferTest, TheOfferFollowsDragToSnapAndTheSettingAndOnlyAClickChangesIt) {
    open(&tiling);
    ASSERT_TRUE(offer()) << "the drag-to-snap card holds the offer";
    EXPECT_FALSE(isShown()) << "drag to snap off, GNOME's edge tiling on: nothing to offer";

    dragSnapSettings->setEnabled(true);
    ASSERT_TRUE(isShown());
    EXPECT_EQ(offer()->offer(), EdgeTilingOffer::Offer::TurnOff);
    EXPECT_EQ(text()->text(),
              "GNOME also tiles or maximizes a window dropped at a screen edge. Where Corvane "
              "shows a zone, Corvane's drop wins.");
    EXPECT_EQ(button()->text(), "Turn off GNOME's edge tiling");
    EXPECT_TRUE(tiling.writes.isEmpty()) << "turning drag to snap on leaves GNOME's setting alone";

    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_EQ(tiling.writes, QList<bool>{false});
    EXPECT_FALSE(isShown()) << "drag to snap on, GNOME's edge tiling off: the edges are Corvane's";

    // Turning drag to snap off hides its rows, but not the offer to give the edges back.
    QTest::mouseClick(view->widget()->findChild<QCheckBox*>("dragSnapToggle"), Qt::LeftButton, {},
                      QPoint(8, 8));
    ASSERT_FALSE(dragSnapSettings->isEnabled());
    ASSERT_TRUE(isShown());
    EXPECT_EQ(offer()->offer(), EdgeTilingOffer::Offer::TurnBackOn);
    EXPECT_EQ(text()->text(),
              "GNOME's edge tiling is off: a window dropped at a screen edge stays where it is.");
    EXPECT_EQ(button()->text(), "Turn it back on");
    EXPECT_EQ(tiling.writes, QList<bool>{false}) << "turning drag to snap off gives nothing back unasked";
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_EQ(tiling.writes, (QList<bool>{false, true}));
    EXPECT_FALSE(isShown());

    // Changed in GNOME's own settings while the window is open.
    dragSnapSettings->setEnabled(true);
    ASSERT_TRUE(isShown());
    tiling.changeElsewhere(false);
    EXPECT_FALSE(isShown());
    tiling.changeElsewhere(true);
    EXPECT_TRUE(isShown());
    EXPECT_EQ(offer()->offer(), EdgeTilingOffer::Offer::TurnOff);
    EXPECT_EQ(tiling.writes.size(), 2);
}

TEST_F(EdgeTilingOfferTest, ADesktopWithoutEdgeTilingToTurnOffGetsNoOffer) {
    open(nullptr);
    dragSnapSettings->setEnabled(true);
    EXPECT_FALSE(offer());
}

} // namespace
} // namespace corvane
