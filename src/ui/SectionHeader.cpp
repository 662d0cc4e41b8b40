#include "SectionHeader.h"

#include "ui/ViewStyle.h"

namespace corvane {

SectionHeader::SectionHeader(const QString& title, QWidget* parent)
    : QLabel(title, parent) {
    setTextFormat(Qt::PlainText);
    setFont(fontFor(TextStyle::SectionTitle));
    useSecondaryText(this);
    setContentsMargins(16, 16, 16, 8);
    setAccessibleName(title);
}

} // namespace corvane
