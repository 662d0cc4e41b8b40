// Corvane's tray panel on GNOME: the extension is asked to place the panel's window, raise it above the
// others and focus it once the Shell reports that window as ours, and never to touch anyone else's.
#include "platform/gnome/GnomeOverlayWindows.h"

#include <QJsonArray>
#include <QWidget>
#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr qint32 kOwnPid = 4242;

QJsonObject windowReport(const QString& id, qint32 pid, const QString& caption) {
    const QJsonArray frame{400, 300, 280, 500};
    return {{"e", "window"},
            {"window", QJsonObject{{"id", id},
                                   {"pid", pid},
                                   {"appClass", "corvane"},
                                   {"caption", caption},
                                   {"frame", frame},
                                   {"client", frame},
                                   {"output", "Monitor 1"},
                                   {"normal", true},
                                   {"onCurrentDesktop", true},
                                   {"moveable", true},
                                   {"managed", true}}}};
}

class GnomeOverlayWindowsTest : public ::testing::Test {
protected:
    GnomeOverlayWindowsTest() {
        desktop.setOwnPid(kOwnPid);
        panel.setWindowTitle("Corvane");
        panel.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        overlays.adopt(panel, OverlayKind::Panel);
    }

    // The commands sent, as "c id" with the frame and the overlay flag of a frame command.
    QStringList commands() const {
        QStringList out;
        for (const QJsonObject& c : sent) {
            QString line = c["c"].toString() + ' ' + c["id"].toString();
            for (const QJsonValue& v : c["frame"].toArray())
                line += ' ' + QString::number(v.toInt());
            if (c["overlay"].toBool())
                line += " overlay";
            out.append(line);
        }
        return out;
    }

    AgentDesktop desktop;
    QList<QJsonObject> sent;
    GnomeOverlayWindows overlays{[this](const QJsonObject& c) { sent.append(c); }, desktop};
    QWidget panel;
};

TEST_F(GnomeOverlayWindowsTest, OurShownPanelIsPlacedRaisedAndFocusedOnceTheShellReportsIt) {
    overlays.place(panel, QRect(1000, 32, 280, 500));
    EXPECT_TRUE(sent.isEmpty()) << "nothing to place before the window shows";
    panel.show();
    ASSERT_TRUE(desktop.apply(windowReport("7", kOwnPid + 1, "Corvane")));
    ASSERT_TRUE(desktop.apply(windowReport("8", kOwnPid, "Corvane Settings")));
    EXPECT_TRUE(sent.isEmpty())
        << "another program's window of the same title, or another of ours, is left alone";

    // A Wayland window is made before it has a title: it is known as the panel once the title comes.
    ASSERT_TRUE(desktop.apply(windowReport("9", kOwnPid, "")));
    EXPECT_TRUE(sent.isEmpty());
    ASSERT_TRUE(desktop.apply(windowReport("9", kOwnPid, "Corvane")));
    EXPECT_EQ(commands(), (QStringList{"frame 9 1000 32 280 500 overlay"}));
    sent.clear();
    ASSERT_TRUE(desktop.apply(windowReport("9", kOwnPid, "Corvane")));
    EXPECT_TRUE(sent.isEmpty()) << "told of again, a placed window is not placed again";

    overlays.place(panel, QRect(900, 40, 280, 500));
    EXPECT_EQ(commands(), (QStringList{"frame 9 900 40 280 500 overlay"}))
        << "a shown panel is moved at once";

    // Hidden and shown again, a Wayland window is a new one to the Shell: it is placed again.
    sent.clear();
    panel.hide();
    ASSERT_TRUE(desktop.apply({{"e", "removed"}, {"id", "9"}}));
    overlays.place(panel, QRect(1000, 32, 280, 500));
    EXPECT_TRUE(sent.isEmpty());
    panel.show();
    ASSERT_TRUE(desktop.apply(windowReport("10", kOwnPid, "Corvane")));
    EXPECT_EQ(commands(), (QStringList{"frame 10 1000 32 280 500 overlay"}));
}

TEST_F(GnomeOverlayWindowsTest, AWindowNeverPlacedOrNotAdoptedIsLeftWhereTheShellPutIt) {
    panel.show();
    ASSERT_TRUE(desktop.apply(windowReport("9", kOwnPid, "Corvane")));
    QWidget other;
    other.setWindowTitle("Corvane");
    overlays.place(other, QRect(0, 0, 10, 10));
    other.show();
    ASSERT_TRUE(desktop.apply(windowReport("11", kOwnPid, "Corvane")));
    EXPECT_TRUE(sent.isEmpty()) << "the panel was never placed, the other window never adopted";
}

} // namespace
} // namespace corvane
