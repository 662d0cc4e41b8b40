#pragma once
// Accessibility over the simulated desktop's element trees; every read and write is logged. Whether
// this process is trusted is the test's to say.

#include "platform/Accessibility.h"

namespace corvane {

class SimDesktop;

class SimAccessibility final : public Accessibility {
    Q_OBJECT
public:
    explicit SimAccessibility(SimDesktop& desktop)
        : m_desktop(desktop) {}

    AxElement applicationElement(qint32 pid) override;
    AxElement systemWideElement() override;
    AxElement elementOfWindow(quint32 number) override;
    AttributeResult copyAttributeValue(AxElement element, const QString& attribute) override;
    AxError setAttributeValue(AxElement element, const QString& attribute,
                              const AttributeValue& value) override;
    ElementHit elementAtPosition(AxElement root, float x, float y) override;
    AxError setMessagingTimeout(AxElement element, float seconds) override;
    AxError performAction(AxElement element, const QString& action) override;
    PidResult pidOfElement(AxElement element) override;
    bool isProcessTrusted() override { return m_isTrusted; }
    bool isProcessTrustedWithPrompt() override;

    void setTrusted(bool isTrusted) { m_isTrusted = isTrusted; }
    // Trusted the next time the prompt is shown, as when the user grants access in the prompt.
    void setGrantsOnPrompt(bool grants) { m_grantsOnPrompt = grants; }
    int promptCount() const { return m_promptCount; }

private:
    AttributeResult read(AxElement element, const QString& attribute);
    AxError write(AxElement element, const QString& attribute, const AttributeValue& value);

    SimDesktop& m_desktop;
    bool m_isTrusted = true;
    bool m_grantsOnPrompt = false;
    int m_promptCount = 0;
};

} // namespace corvane
