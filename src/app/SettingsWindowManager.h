#pragma once
// The one settings window: created hidden with the program, reused every time it is shown (typed
// text survives closing), its frame kept under "CorvaneSettings" in the defaults and restored at
// the next launch, centred when nothing usable is stored. While it is open Corvane shows in the
// taskbar; the controller takes it out again when the window closes.

#include "platform/Platform.h"

#include <QWidget>
#include <memory>

namespace corvane {

inline constexpr auto kSettingsFrameKey = "CorvaneSettings";

class SettingsWindowManager : public QObject {
    Q_OBJECT
public:
    // Takes the window's content.
    SettingsWindowManager(Platform& platform, QWidget* content, QObject* parent = nullptr);
    ~SettingsWindowManager() override;

    void show();
    QWidget* window() const { return m_window.get(); }

    static constexpr QSize defaultSize{600, 600};
    static constexpr QSize minimumSize{460, 420};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restoreFrame();
    void saveFrame();

    Platform& m_platform;
    std::unique_ptr<QWidget> m_window;
    // Moves and resizes come in bursts while the user drags: the frame is written once it rests.
    std::unique_ptr<Timer> m_saveTimer;
};

} // namespace corvane
