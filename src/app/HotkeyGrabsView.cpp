#include "HotkeyGrabsView.h"

#include "ui/Card.h"
#include "ui/ViewStyle.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace corvane {

HotkeyGrabsView::HotkeyGrabsView(HotkeyGrabs& grabs, QWidget* parent)
    : QWidget(parent)
    , m_grabs(grabs) {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(6);

    auto* notice = new Card(QPalette::Window, 6, this);
    notice->setObjectName(QStringLiteral("notice"));
    notice->rows()->setContentsMargins(8, 8, 8, 8);
    auto* noticeRow = new QHBoxLayout;
    noticeRow->setSpacing(8);
    auto* icon = new QLabel(notice);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    noticeRow->addWidget(icon, 0, Qt::AlignTop);
    m_noticeText = new QLabel(notice);
    m_noticeText->setObjectName(QStringLiteral("noticeText"));
    m_noticeText->setTextFormat(Qt::PlainText);
    m_noticeText->setWordWrap(true);
    m_noticeText->setFont(fontFor(TextStyle::Caption));
    m_noticeText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    noticeRow->addWidget(m_noticeText, 1);
    notice->rows()->addLayout(noticeRow);
    m_offerButton = new QPushButton(notice);
    m_offerButton->setObjectName(QStringLiteral("offer"));
    connect(m_offerButton, &QPushButton::clicked, this, [this] {
        if (m_grabs.offer())
            emit offerTaken(*m_grabs.offer());
    });
    notice->rows()->addWidget(m_offerButton, 0, Qt::AlignLeft);
    m_notice = notice;
    rows->addWidget(m_notice);

    m_consumeToggle = new QCheckBox(tr("Keep these keys from reaching other applications"), this);
    m_consumeToggle->setObjectName(QStringLiteral("consumeKeys"));
    connect(m_consumeToggle, &QCheckBox::clicked, &m_grabs, &HotkeyGrabs::setConsumesKeys);
    rows->addWidget(m_consumeToggle);
    auto* explanation =
        new QLabel(tr("When on, only Corvane receives its hotkeys (the keypad's digits too); keys the window "
                      "manager holds stay with it."),
                   this);
    explanation->setTextFormat(Qt::PlainText);
    explanation->setWordWrap(true);
    explanation->setFont(fontFor(TextStyle::Caption));
    useSecondaryText(explanation);
    rows->addWidget(explanation);

    connect(&m_grabs, &HotkeyGrabs::heldKeysChanged, this, &HotkeyGrabsView::refresh);
    connect(&m_grabs, &HotkeyGrabs::consumesKeysChanged, this, &HotkeyGrabsView::refresh);
    refresh();
}

void HotkeyGrabsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The one thing to do in a window that opens on a clash: Space takes it. Only then, so that a
    // clash found later never takes the focus from what the user is doing.
    if (!event->spontaneous() && !m_hasBeenShown && m_grabs.offer())
        m_offerButton->setFocus();
    m_hasBeenShown = true;
}

void HotkeyGrabsView::refresh() {
    const QString description = m_grabs.clashDescription();
    m_noticeText->setText(description);
    m_notice->setVisible(!description.isEmpty());
    QStringList offered;
    if (const std::optional<HotkeyChords>& offer = m_grabs.offer()) {
        for (qsizetype i = 0; i < kHotkeyActionCount; ++i) {
            if ((*offer)[i] != m_grabs.chords()[i])
                offered.append(chordName((*offer)[i]));
        }
    }
    m_offerButton->setText(tr("Use %1 instead").arg(offered.join(tr(" and "))));
    m_offerButton->setVisible(!offered.isEmpty());
    m_consumeToggle->setChecked(m_grabs.consumesKeys());
}

} // namespace corvane
