#pragma once
// A one-line text that ends in "…" when it does not fit, instead of wrapping or widening its parent.

#include <QWidget>
#include <optional>

namespace corvane {

class ElidedLabel : public QWidget {
    Q_OBJECT
public:
    explicit ElidedLabel(QString text, QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    void setTextColor(const QColor& color);
    void setAlignment(Qt::Alignment alignment);
    // The text as shown at the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_text;
    std::optional<QColor> m_color;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

} // namespace corvane
