#include "MutterEdgeTiling.h"

#include "platform/common/Log.h"
#include "platform/wmconfig/GSettingsBool.h"

namespace corvane {

MutterEdgeTiling::MutterEdgeTiling() = default;

MutterEdgeTiling::~MutterEdgeTiling() = default;

std::unique_ptr<MutterEdgeTiling> MutterEdgeTiling::open() {
    std::unique_ptr<MutterEdgeTiling> tiling(new MutterEdgeTiling);
    MutterEdgeTiling* self = tiling.get();
    tiling->m_setting = GSettingsBool::open(schema, key, [self](bool isOn) { self->follow(isOn); });
    if (!tiling->m_setting)
        return nullptr;
    tiling->m_isOn = tiling->m_setting->value();
    return tiling;
}

void MutterEdgeTiling::setOn(bool on) {
    if (!m_setting->setValue(on))
        qCWarning(lcGeneral, "GNOME's edge tiling could not be turned %s: the setting is locked",
                  on ? "on" : "off");
}

void MutterEdgeTiling::follow(bool isOn) {
    if (isOn == m_isOn)
        return;
    m_isOn = isOn;
    qCInfo(lcGeneral, "GNOME's edge tiling: %s", isOn ? "on" : "off");
    emit isOnChanged(isOn);
}

} // namespace corvane
