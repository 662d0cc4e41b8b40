#pragma once
// Accessibility over the simulated desktop's element trees; every read and write is logged.

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
    PidResult pidOfElement(AxElement element) override;
    bool isProcessTrusted() override;
    bool isProcessTrustedWithPrompt() override;

private:
    AttributeResult read(AxElement element, const QString& attribute);
    AxError write(AxElement element, const QString& attribute, const AttributeValue& value);

    SimDesktop& m_desktop;
};

} // namespace corvane
