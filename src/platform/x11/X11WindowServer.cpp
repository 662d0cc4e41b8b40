#include "X11WindowServer.h"

#include "platform/x11/WindowTypes.h"

namespace corvane {

namespace {
QVariantMap boundsOf(const QRectF& r) {
    return QVariantMap{{QString::fromLatin1(windowinfo::kX), r.x()},
                       {QString::fromLatin1(windowinfo::kY), r.y()},
                       {QString::fromLatin1(windowinfo::kWidth), r.width()},
                       {QString::fromLatin1(windowinfo::kHeight), r.height()}};
}
} // namespace

QVariant X11WindowServer::entry(xcb_window_t window, const X11Windows::WindowFacts& facts) {
    const Fetched<X11Windows::TitledFrame> titled = m_windows.titledFrame(window);
    if (!titled)
        return {};
    QVariantMap e{{QString::fromLatin1(windowinfo::kLayer), qint64(facts.layer)},
                  {QString::fromLatin1(windowinfo::kNumber), qint64(window)},
                  {QString::fromLatin1(windowinfo::kBounds), boundsOf(titled->frame)}};
    // Clients that do not say their pid are asked of the server.
    if (const std::optional<qint32> pid = facts.pid ? facts.pid : m_windows.pid(window).value())
        e.insert(QString::fromLatin1(windowinfo::kOwnerPid), qint64(*pid));
    if (const std::optional<QRectF> zoom = m_titleBarButtons.zoomButtonRegion(window, *titled))
        e.insert(QString::fromLatin1(windowinfo::kZoomButtonRegion), boundsOf(*zoom));
    return e;
}

QVariant X11WindowServer::copyWindowList(WindowListOption option, quint32 relativeToWindow) {
    QVariantList list;
    if (option == WindowListOption::IncludingWindow) {
        const QVariant e = entry(relativeToWindow, m_windows.facts(relativeToWindow));
        if (e.isValid())
            list.append(e);
        return list;
    }
    for (xcb_window_t w : m_windows.stacking()) {
        const X11Windows::WindowFacts facts = m_windows.facts(w);
        if (!facts.isOnScreen || facts.layer == kDesktopLayer)
            continue;
        const QVariant e = entry(w, facts);
        if (e.isValid())
            list.append(e);
    }
    return list;
}

qint64 X11WindowServer::windowNumberAt(QPointF screenPoint) {
    const QPointF p(screenPoint.x(), m_screens.primaryHeight() - screenPoint.y());
    for (xcb_window_t w : m_windows.stacking()) {
        if (!m_windows.isOnScreen(w))
            continue;
        const Fetched<QRectF> f = m_windows.frame(w);
        if (f && p.x() >= f->left() && p.x() < f->right() && p.y() >= f->top() && p.y() < f->bottom())
            return w;
    }
    return 0;
}

} // namespace corvane
