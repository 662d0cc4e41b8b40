#pragma once
// The small capitalised heading above each list of the tray panel.

#include <QLabel>

namespace corvane {

class SectionHeader : public QLabel {
    Q_OBJECT
public:
    explicit SectionHeader(const QString& title, QWidget* parent = nullptr);
};

} // namespace corvane
