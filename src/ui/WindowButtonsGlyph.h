#pragma once
// A small picture of a window's three title-bar buttons with the green one lit, shown before the
// palette's heading in the settings. Decoration only: screen readers skip it.

#include <QWidget>

namespace corvane {

class WindowButtonsGlyph : public QWidget {
    Q_OBJECT
public:
    explicit WindowButtonsGlyph(QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(33, 9); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvane
