#include "SectionHeader.h"

#include "ui/ViewStyle.h"

namespace corvane {

SectionHeader::SectionHeader(const QString& title, QWidget* parent) : QLabel(title, parent) {
    setTextFormat(Qt::PlainText);
    setFont(systemFont(10, true));
    useSecondaryText(this);
    setContentsMargins(16, 16, 16, 8);
    setAccessibleName(title);
}

} // namespace corvane
