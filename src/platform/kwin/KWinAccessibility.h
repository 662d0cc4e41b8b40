#pragma once
// Windows and applications on KWin as elements, answered from what the agent reported. KWin's id of a
// window stands behind each element's number, so an element of a closed window stays invalid even if
// KWin reuses nothing. Access is the agent running: without it Corvane sees no window.

#include "platform/Accessibility.h"
#include "platform/kwin/KWinDesktop.h"
#include "platform/kwin/KWinRestoreFrames.h"
#include "platform/kwin/KWinScreens.h"
#include "platform/kwin/KWinTitleBarButtons.h"

namespace corvane {

class KWinAccessibility final : public Accessibility {
    Q_OBJECT
public:
    KWinAccessibility(KWinDesktop& desktop, const KWinScreens& screens, KWinRestoreFrames& restoreFrames,
                      const KWinTitleBarButtons& titleBarButtons);

    // The window a window element stands for; none for any other element or a closed window.
    const KWinWindow* windowOf(AxElement element) const;
    static AxElement windowElement(quint32 number);
    AxElement elementOfWindow(quint32 number) override { return windowElement(number); }

    AxElement applicationElement(qint32 pid) override;
    AxElement systemWideElement() override;
    AttributeResult copyAttributeValue(AxElement element, const QString& attribute) override;
    AxError setAttributeValue(AxElement element, const QString& attribute,
                              const AttributeValue& value) override;
    // The topmost window holding the point, or its maximize button where KWin draws one; nothing when
    // that is a panel, the desktop or a pop-up. Corvane's own windows are seen through.
    ElementHit elementAtPosition(AxElement root, float x, float y) override;
    // Every answer comes from memory: nothing to bound.
    AxError setMessagingTimeout(AxElement, float) override { return AxError::Success; }
    PidResult pidOfElement(AxElement element) override;
    bool isProcessTrusted() override { return m_desktop.hasSnapshot(); }
    // Nothing to ask the user: the agent is loaded by Corvane itself.
    bool isProcessTrustedWithPrompt() override { return isProcessTrusted(); }

private:
    // The window's maximize button in AX coordinates; none where KWin draws no title bar.
    std::optional<QRectF> zoomButtonOf(const KWinWindow& window) const;
    AttributeResult zoomButtonAttribute(AxElement button, const QString& attribute) const;

    KWinDesktop& m_desktop;
    const KWinScreens& m_screens;
    KWinRestoreFrames& m_restoreFrames;
    const KWinTitleBarButtons& m_titleBarButtons;
};

} // namespace corvane
