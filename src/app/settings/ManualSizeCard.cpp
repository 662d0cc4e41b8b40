#include "ManualSizeCard.h"

#include "app/settings/PresetNameRow.h"
#include "app/settings/SettingsWidgets.h"
#include "control/WindowController.h"
#include "ui/WheelGuard.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace corvane {

QSizeF ManualSizeCard::clampedSize(double width, double height) {
    // std::clamp passes a NaN through; a field never holds one, but the window must not get it.
    const auto clamp = [](double v) { return std::isnan(v) ? 100.0 : std::clamp(v, 100.0, 10000.0); };
    return QSizeF(clamp(width), clamp(height));
}

ManualSizeCard::ManualSizeCard(WindowController& controller, QWidget* parent)
    : SettingsCard(tr("MANUAL SIZE"), parent) {
    const auto makeField = [this](const QString& label, const QString& objectName, double value,
                                  QDoubleSpinBox*& field) {
        auto* group = new QVBoxLayout;
        group->setSpacing(2);
        group->addWidget(makeLabel(label, TextStyle::Caption, this, true));
        field = new QDoubleSpinBox(this);
        field->setObjectName(objectName);
        // Any size may be typed; Apply clamps it.
        field->setRange(0, 99999);
        field->setDecimals(0);
        field->setButtonSymbols(QAbstractSpinBox::NoButtons);
        field->setValue(value);
        field->setAccessibleName(label);
        field->setFixedWidth(80);
        new WheelGuard(field);
        group->addWidget(field);
        return group;
    };
    QDoubleSpinBox* width = nullptr;
    QDoubleSpinBox* height = nullptr;
    auto* row = new QHBoxLayout;
    row->setAlignment(Qt::AlignBottom);
    row->addLayout(makeField(tr("Width"), QStringLiteral("width"), 600, width));
    auto* times = new QVBoxLayout;
    times->addStretch();
    times->addWidget(makeLabel(QStringLiteral("×"), TextStyle::Body, this));
    times->addSpacing(6);
    row->addLayout(times);
    row->addLayout(makeField(tr("Height"), QStringLiteral("height"), 400, height));
    row->addSpacing(8);
    auto* apply = new QPushButton(tr("Apply to Target"), this);
    apply->setObjectName(QStringLiteral("apply"));
    apply->setDefault(true);
    const auto size = [width, height] { return clampedSize(width->value(), height->value()); };
    connect(apply, &QPushButton::clicked, this, [&controller, size] {
        controller.placer().resizeFocusedWindow(size().width(), size().height());
    });
    row->addWidget(apply, 0, Qt::AlignBottom);
    row->addStretch();
    rows()->addLayout(row);
    rows()->addWidget(makeDivider(this));
    auto* nameRow = new PresetNameRow(
        controller, tr("Save as Preset Name"), tr("Save size as preset"),
        [&controller, size](const QString& name) {
            return controller.presets().addSizePreset(name, size().width(), size().height());
        },
        this);
    nameRow->setObjectName(QStringLiteral("presetName"));
    rows()->addWidget(nameRow);
}

} // namespace corvane
