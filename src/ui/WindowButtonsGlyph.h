#pragma once
// A small picture of a title bar's buttons as the running window manager lays them out, with the
// maximize button lit, shown before Quick Snap's heading in the settings; a lone maximize button
// where the layout cannot be told. Decoration only: screen readers skip it.

#include "platform/TitleButtons.h"

#include <QWidget>
#include <optional>

namespace corvane {

class WindowButtonsGlyph : public QWidget {
    Q_OBJECT
public:
    explicit WindowButtonsGlyph(std::optional<ButtonLayout> layout, QWidget* parent = nullptr);

    static constexpr int buttonSizePixels = 9;
    static constexpr int spacingPixels = 3;
    // The room left for the title between the two sides.
    static constexpr int titleWidthPixels = 18;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintButton(QPainter& painter, TitleButton button, const QRectF& cell) const;

    ButtonLayout m_layout;
    bool m_hasTitle = true;
};

} // namespace corvane
