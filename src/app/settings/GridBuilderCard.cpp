#include "GridBuilderCard.h"

#include "app/settings/PresetNameRow.h"
#include "control/WindowController.h"
#include "ui/GridBuilderView.h"
#include "ui/ViewStyle.h"
#include "ui/WheelGuard.h"

#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace corvane {

namespace {

QSpinBox* makeStepper(const QString& prefix, const QString& name, const QString& objectName,
                      QWidget* parent) {
    auto* stepper = new QSpinBox(parent);
    stepper->setObjectName(objectName);
    stepper->setRange(1, 5);
    stepper->setValue(2);
    stepper->setPrefix(prefix);
    stepper->setAccessibleName(name);
    new WheelGuard(stepper);
    return stepper;
}

} // namespace

GridBuilderCard::GridBuilderCard(WindowController& controller, QWidget* parent)
    : SettingsCard(tr("CUSTOM GRID BUILDER"), parent) {
    QSpinBox* rowCount = makeStepper(tr("Rows: "), tr("Rows"), QStringLiteral("rows"), this);
    QSpinBox* colCount = makeStepper(tr("Cols: "), tr("Columns"), QStringLiteral("cols"), this);
    auto* steppers = new QHBoxLayout;
    steppers->addWidget(rowCount);
    steppers->addSpacing(12);
    steppers->addWidget(colCount);
    steppers->addStretch();
    rows()->addLayout(steppers);
    rows()->addWidget(makeDivider(this));
    auto* builder = new GridBuilderView(this);
    rows()->addWidget(builder);
    const auto resize = [=] { builder->setGridSize(rowCount->value(), colCount->value()); };
    connect(rowCount, &QSpinBox::valueChanged, this, resize);
    connect(colCount, &QSpinBox::valueChanged, this, resize);
    rows()->addWidget(makeDivider(this));
    auto* nameRow = new PresetNameRow(
        controller, tr("Grid Name"), tr("Save grid as preset"),
        [&controller, rowCount, colCount, builder](const QString& name) {
            if (!controller.presets().addGridPreset(name, rowCount->value(), colCount->value(),
                                                    builder->merges()))
                return false;
            builder->setMerges({});
            builder->setSelection({});
            return true;
        },
        this);
    nameRow->setObjectName(QStringLiteral("gridName"));
    rows()->addWidget(nameRow);
}

} // namespace corvane
