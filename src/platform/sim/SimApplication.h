#pragma once
// This process as the simulated desktop sees it: policy, activation and notifications a test posts.

#include "platform/Application.h"

#include <QStringList>

namespace corvane {

class SimApplication final : public Application {
    Q_OBJECT
public:
    ActivationPolicy activationPolicy() const override { return m_policy; }
    void setActivationPolicy(ActivationPolicy policy) override {
        m_policy = policy;
        m_policyHistory.append(policy);
    }
    void activateIgnoringOtherApps() override { ++m_activationCount; }
    void terminate() override { m_isTerminated = true; }
    bool setApplicationIconNamed(const QString& name) override {
        if (!m_images.contains(name))
            return false;
        m_iconName = name;
        return true;
    }

    bool isCompositing() const override { return true; }

    bool isSystemTrayAvailable() const override { return m_isSystemTrayAvailable; }
    QString systemTrayHint() const override { return m_systemTrayHint; }
    void setSystemTrayHint(QString hint) { m_systemTrayHint = std::move(hint); }
    // As a panel with a tray starting or quitting: announced when it changes.
    void setSystemTrayAvailable(bool isAvailable) {
        if (isAvailable == m_isSystemTrayAvailable)
            return;
        m_isSystemTrayAvailable = isAvailable;
        emit systemTrayAvailabilityDidChange(isAvailable);
    }

    // The images the program's resources hold.
    void setImages(QStringList names) { m_images = std::move(names); }
    QString iconName() const { return m_iconName; }
    const QList<ActivationPolicy>& policyHistory() const { return m_policyHistory; }
    int activationCount() const { return m_activationCount; }
    bool isTerminated() const { return m_isTerminated; }

    void postWindowWillClose(QObject* window) { emit windowWillClose(window); }

private:
    ActivationPolicy m_policy = ActivationPolicy::Regular;
    QList<ActivationPolicy> m_policyHistory;
    QStringList m_images;
    QString m_iconName;
    int m_activationCount = 0;
    bool m_isTerminated = false;
    bool m_isSystemTrayAvailable = false;
    QString m_systemTrayHint;
};

} // namespace corvane
