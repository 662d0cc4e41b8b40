#include "WindowAccess.h"

#include "platform/common/PossibleFrame.h"

namespace corvane {

std::optional<QRectF> axFrameOf(Accessibility& accessibility, AxElement element) {
    const AttributeResult position = accessibility.copyAttributeValue(element, ax::kPosition);
    const AttributeResult size = accessibility.copyAttributeValue(element, ax::kSize);
    const AxValue* p = position.get<AxValue>();
    const AxValue* s = size.get<AxValue>();
    if (!p || !s || !p->pointValue() || !s->sizeValue())
        return std::nullopt;
    return QRectF(*p->pointValue(), *s->sizeValue());
}

QString applicationNameOf(Accessibility& accessibility, Workspace& workspace, AxElement window,
                          const std::optional<RunningApplication>& known) {
    const PidResult pid = accessibility.pidOfElement(window);
    if (pid.error != AxError::Success)
        return {};
    if (known && known->pid == pid.pid)
        return known->name;
    for (const RunningApplication& application : workspace.runningApplications()) {
        if (application.pid == pid.pid)
            return application.name;
    }
    return {};
}

QString windowTitleOf(Accessibility& accessibility, AxElement window) {
    const AttributeResult title = accessibility.copyAttributeValue(window, QLatin1String(ax::kTitle));
    const QString* text = title.get<QString>();
    return text ? *text : QString();
}

std::optional<AxElement> focusedWindowOf(Accessibility& accessibility, qint32 pid) {
    const AttributeResult focused =
        accessibility.copyAttributeValue(accessibility.applicationElement(pid), ax::kFocusedWindow);
    const AxElement* window = focused.get<AxElement>();
    if (!window || window->isNull())
        return std::nullopt;
    return *window;
}

RememberedFrameRead rememberedFrameOf(Accessibility& accessibility, AxElement window) {
    const AttributeResult remembered = accessibility.copyAttributeValue(window, ax::kRestoreFrame);
    const AxValue* value = remembered.get<AxValue>();
    const std::optional<QRectF> frame = value ? value->rectValue() : std::nullopt;
    if (!frame)
        return {};
    if (!isPossibleWindowFrame(*frame)) {
        accessibility.setAttributeValue(window, ax::kRestoreFrame, std::monostate());
        return {std::nullopt, true};
    }
    return {frame, false};
}

void activateTargetApplication(Workspace& workspace, const RunningApplication& application) {
    workspace.yieldActivation(application);
}

} // namespace corvane
