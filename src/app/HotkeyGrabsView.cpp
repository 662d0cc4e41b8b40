#include "HotkeyGrabsView.h"

#include "ui/Card.h"
#include "ui/ViewStyle.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
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
    notice->rows()->setContentsMargins(8, 8, 8, 8);
    auto* noticeRow = new QHBoxLayout;
    noticeRow->setSpacing(8);
    auto* icon = new QLabel(notice);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    noticeRow->addWidget(icon, 0, Qt::AlignTop);
    m_noticeText = new QLabel(notice);
    m_noticeText->setTextFormat(Qt::PlainText);
    m_noticeText->setWordWrap(true);
    m_noticeText->setFont(fontFor(TextStyle::Caption));
    m_noticeText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    noticeRow->addWidget(m_noticeText, 1);
    notice->rows()->addLayout(noticeRow);
    m_notice = notice;
    rows->addWidget(m_notice);

    m_consumeToggle = new QCheckBox(tr("Keep these keys from reaching other applications"), this);
    connect(m_consumeToggle, &QCheckBox::clicked, &m_grabs, &HotkeyGrabs::setConsumesKeys);
    rows->addWidget(m_consumeToggle);
    auto* explanation = new QLabel(
        tr("When on, only Corvane receives Ctrl + Alt + 1 to 4 and Ctrl + Alt + Left and Right; keys "
           "the window manager holds stay with it."),
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

void HotkeyGrabsView::refresh() {
    const QString description = m_grabs.clashDescription();
    m_noticeText->setText(description);
    m_notice->setVisible(!description.isEmpty());
    m_consumeToggle->setChecked(m_grabs.consumesKeys());
}

} // namespace corvane
