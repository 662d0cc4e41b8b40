#include "SectionHeader.h"

#include "ui/ViewStyle.h"

namespace corvane {

SectionHeader::SectionHeader(const QString& title, QWidget* parent) : QLabel(title, parent) {
    setTextFormat(Qt::PlainText);
    setFont(systemFont(10, true));
    QPalette p = palette();
    p.setColor(QPalette::WindowText, secondaryTextColor(p));
    setPalette(p);
    setContentsMargins(16, 16, 16, 8);
    setAccessibleName(title);
}

} // namespace corvane
