#include "WindowTypes.h"

#include <QHash>

namespace corvane {

namespace {

const QHash<QByteArray, int>& layers() {
    // One type a line:
    // clang-format off
    static const QHash<QByteArray, int> kLayers{
        {"_NET_WM_WINDOW_TYPE_NORMAL", kOrdinaryLayer},
        {"_NET_WM_WINDOW_TYPE_DIALOG", kOrdinaryLayer},
        {"_NET_WM_WINDOW_TYPE_UTILITY", kOrdinaryLayer},
        {"_NET_WM_WINDOW_TYPE_DESKTOP", kDesktopLayer},
        {"_NET_WM_WINDOW_TYPE_DOCK", kDockLayer},
        {"_NET_WM_WINDOW_TYPE_TOOLBAR", kToolbarLayer},
        {"_NET_WM_WINDOW_TYPE_MENU", kToolbarLayer}, // a torn-off menu
        {"_NET_WM_WINDOW_TYPE_SPLASH", kPopUpLayer},
        {"_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", kPopUpLayer},
        {"_NET_WM_WINDOW_TYPE_POPUP_MENU", kPopUpLayer},
        {"_NET_WM_WINDOW_TYPE_TOOLTIP", kPopUpLayer},
        {"_NET_WM_WINDOW_TYPE_NOTIFICATION", kPopUpLayer},
        {"_NET_WM_WINDOW_TYPE_COMBO", kPopUpLayer},
        {"_NET_WM_WINDOW_TYPE_DND", kPopUpLayer},
    };
    // clang-format on
    return kLayers;
}

} // namespace

int layerOfWindowTypes(const QList<QByteArray>& typeNames) {
    for (const QByteArray& name : typeNames) {
        if (const auto it = layers().constFind(name); it != layers().cend())
            return *it;
    }
    return kOrdinaryLayer;
}

QList<QByteArray> knownWindowTypes() {
    return layers().keys();
}

} // namespace corvane
