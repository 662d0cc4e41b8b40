#include "PresetCell.h"

#include "control/WindowPlacer.h"
#include "ui/ElidedLabel.h"
#include "ui/SnapLayoutView.h"
#include "ui/ViewStyle.h"

#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace corvane {

namespace {

// A flat tile with the size centred on it.
class SizeTile final : public QPushButton {
public:
    SizeTile(const QString& text, QWidget* parent)
        : QPushButton(text, parent) {
        setFixedHeight(50);
        setMinimumWidth(40);
        setFlat(true);
        setFont(fontFor(TextStyle::Caption, true));
        setFocusPolicy(Qt::TabFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(primaryColor(palette(), underMouse() ? 0.1 : 0.05));
        painter.drawRoundedRect(QRectF(rect()), 4, 4);
        // The faint fill alone would not show where to click: the outline does.
        painter.setPen(QPen(controlColor(palette()), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        if (hasFocus()) {
            painter.setPen(QPen(accentColor(palette()), 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 4, 4);
        }
        painter.setPen(secondaryTextColor(palette()));
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

// A size as a whole number, cut toward zero; a value no 64-bit integer holds (infinite, not a number,
// too large) has no whole number to show and reads as a dash.
QString wholeNumber(double value) {
    constexpr double kLimit = 9223372036854775807.0; // 2^63: the first double beyond qint64
    if (!std::isfinite(value) || std::trunc(value) >= kLimit || std::trunc(value) < -kLimit)
        return QStringLiteral("—");
    return QString::number(qint64(std::trunc(value)));
}

} // namespace

QString PresetCell::sizeLabel(double width, double height) {
    return tr("%1×%2").arg(wholeNumber(width), wholeNumber(height));
}

PresetCell::PresetCell(Preset preset, WindowPlacer& placer, QWidget* parent)
    : QWidget(parent)
    , m_preset(std::move(preset)) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(8);
    if (const std::optional<SnapLayout> grid = m_preset.gridLayout()) {
        m_gridThumbnail = new SnapLayoutView(
            *grid, [&placer](const QRectF& fraction) { placer.snapFocusedWindow(fraction); }, this);
        m_gridThumbnail->followZoneSpacing(placer.zoneSpacing());
        stack->addWidget(m_gridThumbnail);
    } else if (m_preset.isSizePreset()) {
        const double w = *m_preset.width;
        const double h = *m_preset.height;
        m_sizeTile = new SizeTile(sizeLabel(w, h), this);
        m_sizeTile->setAccessibleName(tr("Resize to %1 by %2").arg(wholeNumber(w), wholeNumber(h)));
        // The label truncates; the window gets the stored values.
        connect(m_sizeTile, &QAbstractButton::clicked, this,
                [&placer, w, h] { placer.resizeFocusedWindow(w, h); });
        stack->addWidget(m_sizeTile);
    }
    m_name = new ElidedLabel(m_preset.name, this);
    m_name->setFont(fontFor(TextStyle::Subheadline));
    m_name->setAlignment(Qt::AlignCenter);
    stack->addWidget(m_name);
}

} // namespace corvane
