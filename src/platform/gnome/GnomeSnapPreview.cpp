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
} // namespace

GnomeSnapPreview::GnomeSnapPreview(AgentCommand send, const AgentScreens& screens)
    : m_send(std::move(send))
    , m_screens(screens) {}

void GnomeSnapPreview::show(const QRectF& frame) {
    const QRectF shape = m_screens.fromScreen(frame).adjusted(previewstyle::kInset, previewstyle::kInset,
                                                              -previewstyle::kInset, -previewstyle::kInset);
    if (m_shown == shape)
        return;
    m_shown = shape;
    const QColor accent = QGuiApplication::palette().color(QPalette::Highlight);
    m_send(QJsonObject{{field::kC, command::kPreview},
                       {field::kFrame, QJsonArray{shape.x(), shape.y(), shape.width(), shape.height()}},
                       {field::kFill, cssColor(accent, previewstyle::kFillAlpha)},
                       {field::kBorder, cssColor(accent, previewstyle::kLineAlpha)},
                       {field::kBorderWidth, previewstyle::kLineWidth},
                       {field::kRadius, previewstyle::kCornerRadius}});
}

void GnomeSnapPreview::hide() {
    if (!m_shown)
        return;
    m_shown.reset();
    m_send(QJsonObject{{field::kC, command::kPreview}, {field::kFrame, QJsonValue()}});
}

} // namespace corvane
