#include "PresetNameRow.h"

#include "control/WindowController.h"
#include "ui/ViewStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextBoundaryFinder>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane {

QString PresetNameRow::limitedName(const QString& text) {
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (graphemes.toNextBoundary() >= 0) {
        if (++count == nameCharacterLimit)
            return text.left(graphemes.position());
    }
    return text;
}

PresetNameRow::PresetNameRow(WindowController& controller, const QString& placeholder, const QString& addName,
                             Add add, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
    , m_add(std::move(add))
    , m_field(new QLineEdit(this))
    , m_addButton(new QToolButton(this))
    , m_message(new QLabel(this)) {
    m_field->setObjectName(QStringLiteral("field"));
    m_field->setPlaceholderText(placeholder);
    QPalette hint = m_field->palette();
    hint.setColor(QPalette::PlaceholderText, legibleColor(hint.color(QPalette::PlaceholderText),
                                                          {hint.color(QPalette::Base)}, kTextContrastChosen));
    m_field->setPalette(hint);
    m_field->setAccessibleName(placeholder);
    m_addButton->setObjectName(QStringLiteral("add"));
    m_addButton->setText(QStringLiteral("+"));
    m_addButton->setToolTip(tr("Save as a preset"));
    m_addButton->setAccessibleName(addName);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setFont(fontFor(TextStyle::SecondCaption));
    QPalette red = m_message->palette();
    red.setColor(QPalette::WindowText, warningTextColor(red));
    m_message->setPalette(red);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(4);
    auto* line = new QHBoxLayout;
    line->addWidget(m_field);
    line->addWidget(m_addButton);
    rows->addLayout(line);
    rows->addWidget(m_message);

    connect(m_field, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString limited = limitedName(text);
        if (limited != text) {
            m_field->setText(limited); // comes back here once more, within the limit
            return;
        }
        refresh();
    });
    connect(m_addButton, &QToolButton::clicked, this, &PresetNameRow::submit);
    connect(m_field, &QLineEdit::returnPressed, this, &PresetNameRow::submit);
    // A name may become taken or free as presets come and go.
    connect(&m_controller.presets(), &PresetStore::presetsChanged, this, &PresetNameRow::refresh);
    refresh();
}

void PresetNameRow::submit() {
    if (m_addButton->isEnabled() && m_add(m_field->text()))
        m_field->clear();
}

void PresetNameRow::refresh() {
    const std::optional<QString> problem = m_controller.presets().validateName(m_field->text());
    m_addButton->setEnabled(!problem);
    m_message->setText(problem && !m_field->text().isEmpty() ? *problem : QString());
    m_message->setVisible(!m_message->text().isEmpty());
}

} // namespace corvane
