#pragma once
// Windows and applications on a compositor with Corvane's agent as elements, answered from what the
// agent reported. The compositor's id of a window stands behind each element's number, so an element of
// a closed window stays invalid even if the compositor reuses the id. Access is the agent running: without it
// Corvane sees no window.

#include "platform/Accessibility.h"
#include "platform/agent/AgentDesktop.h"
#include "platform/agent/AgentRestoreFrames.h"
#include "platform/agent/AgentScreens.h"
#include "platform/agent/AgentTitleBars.h"

namespace corvane {

class AgentAccessibility final : public Accessibility {
    Q_OBJECT
public:
    AgentAccessibility(AgentDesktop& desktop, const AgentScreens& screens, AgentRestoreFrames& restoreFrames,
                       const AgentTitleBars& titleBarButtons);

    // The window a window element stands for; none for any other element or a closed window.
    const AgentWindow* windowOf(AxElement element) const;
    static AxElement windowElement(quint32 number);
    AxElement elementOfWindow(quint32 number) override { return windowElement(number); }

    AxElement applicationElement(qint32 pid) override;
    AxElement systemWideElement() override;
    AttributeResult copyAttributeValue(AxElement element, const QString& attribute) override;
    AxError setAttributeValue(AxElement element, const QString& attribute,
                              const AttributeValue& value) override;
    // The topmost window holding the point, or its maximize button where the compositor draws one; nothing
    // when that is a panel, the desktop or a pop-up. Corvane's own windows are seen through.
    ElementHit elementAtPosition(AxElement root, float x, float y) override;
    // Every answer comes from memory: nothing to bound.
    AxError setMessagingTimeout(AxElement, float) override { return AxError::Success; }
    // Neither agent raises a window: their desktops offer no RaiseWithoutFocus.
    AxError performAction(AxElement, const QString&) override { return AxError::ActionUnsupported; }
    PidResult pidOfElement(AxElement element) override;
    bool isProcessTrusted() override { return m_desktop.hasSnapshot(); }
    // Nothing to ask the user: the agent is loaded by Corvane itself.
    bool isProcessTrustedWithPrompt() override { return isProcessTrusted(); }

private:
    // The window's maximize button in AX coordinates; none where the compositor draws no title bar.
    std::optional<QRectF> zoomButtonOf(const AgentWindow& window) const;
    AttributeResult zoomButtonAttribute(AxElement button, const QString& attribute) const;

    AgentDesktop& m_desktop;
    const AgentScreens& m_screens;
    AgentRestoreFrames& m_restoreFrames;
    const AgentTitleBars& m_titleBarButtons;
};

} // namespace corvane
