#pragma once
// A titled group of controls on a rounded, filled background: the settings window's sections and
// its list of presets. Children go into its vertical layout.

#include <QFrame>
#include <QPalette>

class QVBoxLayout;

namespace corvane {

class Card : public QFrame {
    Q_OBJECT
public:
    Card(QPalette::ColorRole fill, double cornerRadius, QWidget* parent = nullptr);

    QVBoxLayout* rows() const { return m_rows; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPalette::ColorRole m_fill;
    double m_cornerRadius;
    QVBoxLayout* m_rows = nullptr;
};

} // namespace corvane
