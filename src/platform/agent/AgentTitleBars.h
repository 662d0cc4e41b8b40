#pragma once
// Where the compositor draws a window's title-bar buttons, as far as it can be known: the agent reports
// frames, not buttons, so each backend knows its decoration's layout and sizes. The window list and the
// element under the pointer give the maximize button from here.

#include "platform/TitleButtons.h"
#include "platform/agent/AgentDesktop.h"

#include <QObject>
#include <optional>

namespace corvane {

class AgentTitleBars : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual ButtonLayout layout() const = 0;
    // Where the window's maximize button lies with that layout; none where the compositor draws it no
    // title bar or no such button.
    virtual std::optional<QRectF> maximizeButton(const ButtonLayout& layout,
                                                 const AgentWindow& window) const = 0;

signals:
    // The layout changed from the one given.
    void changed(const corvane::ButtonLayout& previous);
};

} // namespace corvane
