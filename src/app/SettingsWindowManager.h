#pragma once
// The one settings window: created hidden with the program, its content built when it is first
// shown (so start-up does not pay for widgets the user may never open), then reused every time
// (typed text survives closing), its frame kept under "CorvaneSettings" in the defaults and restored at
// the next launch, centred when nothing usable is stored. While it is open Corvane shows in the
// taskbar; the controller takes it out again when the window closes.

#include "platform/Platform.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace corvane {

inline constexpr auto kSettingsFrameKey = "CorvaneSettings";

class SettingsWindowManager : public QObject {
    Q_OBJECT
public:
    // `makeContent` builds the window's content, once; the window takes it.
    SettingsWindowManager(Platform& platform, std::function<QWidget*()> makeContent,
                          QObject* parent = nullptr);
    ~SettingsWindowManager() override;

    void show();
    QWidget* window() const { return m_window.get(); }
    // None until the window is first shown.
    QWidget* content() const { return m_content; }

    static constexpr QSize defaultSize{600, 600};
    static constexpr QSize minimumSize{460, 420};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restoreFrame();
    void saveFrame();

    Platform& m_platform;
    std::function<QWidget*()> m_makeContent;
    std::unique_ptr<QWidget> m_window;
    QWidget* m_content = nullptr;
    // Moves and resizes come in bursts while the user drags: the frame is written once it rests.
    std::unique_ptr<Timer> m_saveTimer;
    // Until the frame has rested once after showing, the moves are the window manager placing it, and
    // Qt may still report the frame without its decorations: a quit then keeps the stored frame.
    bool m_hasRestedSinceShown = false;
};

} // namespace corvane
