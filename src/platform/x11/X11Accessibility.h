#pragma once
// Accessibility on X11: applications are processes owning client windows, windows are client
// windows, and each decorated window has three synthetic title-bar buttons at fixed spots of its
// top-left corner (close, minimise, zoom), since window managers draw buttons no client can see.

#include "platform/Accessibility.h"
#include "platform/x11/X11Windows.h"

namespace corvane {

// Where the synthetic buttons sit, relative to the outer frame's top-left: 16 x 16 squares at
// x = 8, 28 and 48, y = 2.
inline constexpr int kTitleButtonTop = 2;
inline constexpr int kTitleButtonSize = 16;
inline constexpr int kTitleButtonLefts[] = {8, 28, 48};

class X11Accessibility final : public Accessibility {
    Q_OBJECT
public:
    X11Accessibility(X11Connection& connection, X11Windows& windows);

    AxElement applicationElement(qint32 pid) override;
    AxElement systemWideElement() override;
    AttributeResult copyAttributeValue(AxElement element, const QString& attribute) override;
    AxError setAttributeValue(AxElement element, const QString& attribute,
                              const AttributeValue& value) override;
    // Until the window manager has configured the window after the last write (its ConfigureNotify).
    void waitUntilApplied(AxElement window, std::chrono::microseconds atMost) override;
    std::optional<AxValue> createPointValue(QPointF point) override { return AxValue::ofPoint(point); }
    std::optional<AxValue> createSizeValue(QSizeF size) override { return AxValue::ofSize(size); }
    // The topmost window holding the point (or its synthetic button there); nothing when that
    // window is not an ordinary one (the desktop, a dock, a pop-up).
    ElementHit elementAtPosition(AxElement root, float x, float y) override;
    AxError setMessagingTimeout(AxElement element, float seconds) override;
    PidResult pidOfElement(AxElement element) override;
    // An X display answers and the window manager can move and activate windows for us.
    bool isProcessTrusted() override;
    // X11 has no prompt to show: the same check.
    bool isProcessTrustedWithPrompt() override { return isProcessTrusted(); }

private:
    double timeoutFor(AxElement element);

    X11Connection& m_connection;
    X11Windows& m_windows;
    std::mutex m_mutex;
    QHash<quint64, float> m_timeouts;
};

} // namespace corvane
