#include "SettingsWidgets.h"

#include "model/BuiltInLayouts.h"
#include "ui/WheelGuard.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace corvane {

QLabel* makeLabel(const QString& text, TextStyle style, QWidget* parent, bool isSecondary) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(fontFor(style));
    if (isSecondary)
        useSecondaryText(label);
    return label;
}

QLabel* makeExplanation(const QString& text, QWidget* parent) {
    QLabel* label = makeLabel(text, TextStyle::Caption, parent, true);
    label->setWordWrap(true);
    return label;
}

QComboBox* makePicker(int width, const QString& accessibleName, QWidget* parent) {
    auto* picker = new QComboBox(parent);
    picker->setFixedWidth(width);
    picker->setAccessibleName(accessibleName);
    new WheelGuard(picker);
    return picker;
}

QHBoxLayout* labelledRow(QWidget* label, QWidget* control) {
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addStretch();
    row->addWidget(control);
    return row;
}

void setOptions(QComboBox* picker, const QStringList& names, const QString& selected,
                const QString& noneLabel) {
    const QSignalBlocker quiet(picker);
    picker->clear();
    if (!noneLabel.isEmpty())
        picker->addItem(noneLabel, QString());
    for (const QString& name : names)
        picker->addItem(name, name);
    picker->setCurrentIndex(picker->findData(selected));
}

QStringList builtInLayoutNames() {
    QStringList names;
    for (const SnapLayout& layout : builtInLayouts())
        names.append(layout.name);
    return names;
}

} // namespace corvane
