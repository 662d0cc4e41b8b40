#pragma once
// The small pieces every settings card is made of: labels in the shared text styles, pickers that
// leave the wheel to the page, rows of a label and a control, and the names a layout picker offers.

#include "ui/ViewStyle.h"

#include <QStringList>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QWidget;

namespace corvane {

QLabel* makeLabel(const QString& text, TextStyle style, QWidget* parent, bool isSecondary = false);
// Secondary caption text that wraps over as many lines as it needs.
QLabel* makeExplanation(const QString& text, QWidget* parent);
QComboBox* makePicker(int width, const QString& accessibleName, QWidget* parent);
// A label at the leading edge and a control at the trailing edge.
QHBoxLayout* labelledRow(QWidget* label, QWidget* control);
// Each name is an option's text and value; `noneLabel`, when given, is a first option of value "".
// Selects the option of value `selected`, none when no option has it, without announcing a choice.
void setOptions(QComboBox* picker, const QStringList& names, const QString& selected,
                const QString& noneLabel = {});
QStringList builtInLayoutNames();

} // namespace corvane
