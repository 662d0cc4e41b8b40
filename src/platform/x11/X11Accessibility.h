#pragma once
// Accessibility on X11: applications are processes owning client windows, windows are client
// windows. Window managers draw title-bar buttons no client can see, so a decorated window has
// synthetic close, minimise and zoom buttons where its window manager's layout draws them; a point of
// a title bar the client draws itself is an element whose role, subrole and frame the accessibility
// bus tells, asked only when they are read (TitleBarButtons knows where both kinds are).

#include "platform/Accessibility.h"
#include "platform/x11/TitleBarButtons.h"
#include "platform/x11/WindowManagerWatcher.h"
#include "platform/x11/X11Windows.h"

namespace corvane {

class X11Accessibility final : public Accessibility {
    Q_OBJECT
public:
    X11Accessibility(X11Connection& connection, X11Windows& windows, TitleBarButtons& titleBarButtons,
                     WindowManagerWatcher& windowManager);
    // The client window a window element stands for; none for any other element.
    static std::optional<xcb_window_t> clientWindowOf(AxElement element);

    AxElement applicationElement(qint32 pid) override;
    AxElement systemWideElement() override;
    AxElement elementOfWindow(quint32 number) override;
    AttributeResult copyAttributeValue(AxElement element, const QString& attribute) override;
    AxError setAttributeValue(AxElement element, const QString& attribute,
                              const AttributeValue& value) override;
    // The topmost window holding the point (or its synthetic button there); nothing when that
    // window is not an ordinary one (the desktop, a dock, a pop-up).
    ElementHit elementAtPosition(AxElement root, float x, float y) override;
    AxError performAction(AxElement element, const QString& action) override;
    AxError setMessagingTimeout(AxElement element, float seconds) override;
    PidResult pidOfElement(AxElement element) override;
    // An X display answers and the window manager can move and activate windows for us.
    bool isProcessTrusted() override;
    // X11 has no prompt to show: the same check.
    bool isProcessTrustedWithPrompt() override { return isProcessTrusted(); }

private:
    double timeoutFor(AxElement element);
    std::optional<AxElement> titleBarElementAt(xcb_window_t window, const X11Windows::TitledFrame& titled,
                                               QPointF point);
    AttributeResult drawnButtonAttribute(AxElement button, const QString& attribute, double timeout);
    AttributeResult clientTitleBarAttribute(AxElement part, const QString& attribute, double timeout);

    X11Connection& m_connection;
    X11Windows& m_windows;
    TitleBarButtons& m_titleBarButtons;
    QHash<quint64, float> m_timeouts;
};

} // namespace corvane
