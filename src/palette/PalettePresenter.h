#pragma once
// What the palette monitor shows: the palette next to a maximize button. QuickSnapPanel implements it
// with a window; tests record the calls.

#include <QRectF>
#include <functional>
#include <optional>

namespace corvane {

class PalettePresenter {
public:
    using PickHandler = std::function<void(const QRectF& fraction)>;

    virtual ~PalettePresenter() = default;
    // The button in AX coordinates. Replaces a palette already shown.
    virtual void show(const QRectF& button, PickHandler onPick) = 0;
    virtual void hide() = 0;
    // The shown palette's frame in screen coordinates; none while hidden.
    virtual std::optional<QRectF> shownFrame() const = 0;
};

} // namespace corvane
