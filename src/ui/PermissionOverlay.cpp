#include "PermissionOverlay.h"

#include "control/AccessTrust.h"
#include "ui/ViewStyle.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

// An orange shield with a keyhole: the sign for a missing permission.
class ShieldSymbol final : public QWidget {
public:
    explicit ShieldSymbol(QWidget* parent)
        : QWidget(parent) {
        setFixedSize(34, 38);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double w = width(), h = height();
        QPainterPath shield;
        shield.moveTo(w / 2, 1);
        shield.cubicTo(w * 0.7, h * 0.1, w * 0.85, h * 0.12, w - 1, h * 0.14);
        shield.cubicTo(w - 1, h * 0.6, w * 0.8, h * 0.85, w / 2, h - 1);
        shield.cubicTo(w * 0.2, h * 0.85, 1, h * 0.6, 1, h * 0.14);
        shield.cubicTo(w * 0.15, h * 0.12, w * 0.3, h * 0.1, w / 2, 1);
        painter.fillPath(shield, QColor(255, 149, 0));
        QPainterPath keyhole;
        keyhole.addEllipse(QPointF(w / 2, h * 0.42), 4.5, 4.5);
        keyhole.addRect(QRectF(w / 2 - 2, h * 0.42, 4, h * 0.22));
        painter.fillPath(keyhole, Qt::white);
    }
};

} // namespace

PermissionOverlay::PermissionOverlay(AccessTrust& trust, QWidget* parent)
    : QWidget(parent) {
    auto* stack = new QVBoxLayout(this);
    stack->setSpacing(12);
    stack->addStretch();
    auto* symbol = new ShieldSymbol(this);
    symbol->setAccessibleName(tr("Permission needed"));
    stack->addWidget(symbol, 0, Qt::AlignHCenter);

    auto* title = new QLabel(tr("Permission Needed"), this);
    title->setFont(fontFor(TextStyle::Headline));
    stack->addWidget(title, 0, Qt::AlignHCenter);

    // X11 has no permission to grant: a window manager that takes these two requests is all it needs.
    auto* explanation =
        new QLabel(tr("On X11 there is nothing to grant: Corvane moves and resizes other apps' "
                      "windows through the window manager, and needs one that offers the two "
                      "EWMH requests _NET_MOVERESIZE_WINDOW and _NET_ACTIVE_WINDOW. Start one "
                      "and Corvane carries on within a second."),
                   this);
    explanation->setFont(fontFor(TextStyle::Caption));
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignHCenter);
    QPalette secondary = explanation->palette();
    secondary.setColor(QPalette::WindowText, secondaryTextColor(secondary));
    explanation->setPalette(secondary);
    stack->addWidget(explanation);

    m_grant = new QPushButton(tr("Grant Access"), this);
    m_grant->setDefault(true);
    connect(m_grant, &QPushButton::clicked, &trust, &AccessTrust::request);
    stack->addWidget(m_grant, 0, Qt::AlignHCenter);

    m_openSettings = new QPushButton(tr("Open System Settings"), this);
    m_openSettings->setFlat(true);
    QFont linkFont = fontFor(TextStyle::Caption);
    linkFont.setUnderline(true);
    m_openSettings->setFont(linkFont);
    m_openSettings->setCursor(Qt::PointingHandCursor);
    QPalette link = m_openSettings->palette();
    link.setColor(QPalette::ButtonText, linkTextColor(link));
    m_openSettings->setPalette(link);
    connect(m_openSettings, &QPushButton::clicked, &trust, &AccessTrust::openSettings);
    if (!trust.canOpenSettings()) {
        m_openSettings->setEnabled(false);
        m_openSettings->setToolTip(
            tr("Corvane's help is not installed with this copy, so there is nothing to "
               "open. An installed Corvane keeps it in share/doc/corvane/README.md."));
    }
    stack->addWidget(m_openSettings, 0, Qt::AlignHCenter);
    stack->addStretch();
}

} // namespace corvane
