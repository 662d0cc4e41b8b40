#pragma once
// The eight built-in layouts, in their fixed order; "Split" is the first. Built once per process,
// so their ids stay the same for the process's life.

#include "model/SnapLayout.h"

#include <QList>

namespace corvane {

const QList<SnapLayout>& builtInLayouts();

} // namespace corvane
