#include "GnomeSnapPreview.h"

#include "platform/gnome/ShellColor.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QPalette>

namespace corvane {

namespace field = agentprotocol::field;
namespace command = agentprotocol::command;

namespace {
QString cssColor(QColor color, double alpha) {
    color.setAlpha(qRound(alpha * 255));
    return shellColor(color);
}

QJsonArray rectValue(const QRectF& r) {
    return QJsonArray{r.x(), r.y(), r.width(), r.height()};
}
} // namespace

GnomeSnapPreview::GnomeSnapPreview(AgentCommand send, const AgentScreens& screens)
    : m_send(std::move(send))
    , m_screens(screens) {}

void GnomeSnapPreview::show(const QRectF& frame, const std::optional<QRectF>& displaced) {
    const auto shapeOf = [this](const QRectF& r) {
        return m_screens.fromScreen(r).adjusted(previewstyle::kInset, previewstyle::kInset,
                                                -previewstyle::kInset, -previewstyle::kInset);
    };
    const QRectF shape = shapeOf(frame);
    const std::optional<QRectF> swapShape = displaced ? std::optional(shapeOf(*displaced)) : std::nullopt;
    if (m_shown && m_shown->first == shape && m_shown->second == swapShape)
        return;
    m_shown = {shape, swapShape};
    const QColor accent = QGuiApplication::palette().color(QPalette::Highlight);
    QJsonObject message{{field::kC, command::kPreview},
                        {field::kFrame, rectValue(shape)},
                        {field::kFill, cssColor(accent, previewstyle::kFillAlpha)},
                        {field::kBorder, cssColor(accent, previewstyle::kLineAlpha)},
                        {field::kBorderWidth, previewstyle::kLineWidth},
                        {field::kRadius, previewstyle::kCornerRadius}};
    if (swapShape)
        message.insert(field::kSwap, rectValue(*swapShape));
    m_send(message);
}

void GnomeSnapPreview::hide() {
    if (!m_shown)
        return;
    m_shown.reset();
    m_send(QJsonObject{{field::kC, command::kPreview}, {field::kFrame, QJsonValue()}});
}

} // namespace corvane
