#include "SettingsCard.h"

#include "app/settings/SettingsWidgets.h"

#include <QHBoxLayout>
#include <QLabel>

namespace corvane {

SettingsCard::SettingsCard(const QString& title, QWidget* parent)
    : Card(QPalette::Base, 10, parent)
    , m_titleRow(new QHBoxLayout) {
    QLabel* heading = makeLabel(title, TextStyle::SectionTitle, this, true);
    heading->setAccessibleName(title);
    m_titleRow->addWidget(heading, 0, Qt::AlignVCenter);
    m_titleRow->addStretch();
    rows()->addLayout(m_titleRow);
}

SettingsCard* SettingsCard::unavailable(const QString& title, const QString& explanation, QWidget* parent) {
    auto* card = new SettingsCard(title, parent);
    QLabel* line = makeExplanation(explanation, card);
    line->setObjectName(QStringLiteral("unavailable"));
    card->rows()->addWidget(line);
    return card;
}

} // namespace corvane
