#include "ContrastAudit.h"

#include "ui/ElidedLabel.h"
#include "ui/GridBuilderCanvas.h"
#include "ui/GridBuilderView.h"
#include "ui/SnapLayoutView.h"
#include "ui/ViewStyle.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOption>
#include <QToolButton>
#include <algorithm>

namespace corvane {

namespace {

class Pixels {
public:
    explicit Pixels(const QImage& image)
        : m_image(image.convertToFormat(QImage::Format_RGB32)) {}

    QRect bounds() const { return m_image.rect(); }
    QColor at(int x, int y) const { return QColor::fromRgb(m_image.pixel(x, y)); }

    // The colour most pixels of the region have: a text's or control's background.
    QColor mostCommon(const QRegion& region) const {
        QHash<QRgb, int> counts;
        for (const QRect& r : region.intersected(bounds())) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    ++counts[m_image.pixel(x, y)];
        }
        QRgb best = 0;
        int most = -1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (it.value() > most) {
                best = it.key();
                most = it.value();
            }
        }
        return QColor::fromRgb(best);
    }

    // The pixel of the rectangle that stands out most from the background, as a text's core does.
    double strongestContrast(const QRect& rect, const QColor& background) const {
        double best = 1;
        const QRect r = rect.intersected(bounds());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                best = std::max(best, contrastRatio(at(x, y), background));
        return best;
    }

    // How the edge of a control stands out from the 3 pixels around it: at each point of the middle
    // half of each side (rounded corners aside), the strongest of the 2 pixels inward; the weakest
    // of those points.
    double edgeContrast(const QRect& rect) const {
        const QColor outside = mostCommon(QRegion(rect.adjusted(-3, -3, 3, 3)).subtracted(QRegion(rect)));
        double weakest = 21;
        for (int x = rect.left() + rect.width() / 4; x <= rect.right() - rect.width() / 4; ++x) {
            weakest = std::min(weakest, strongestContrast(QRect(x, rect.top(), 1, 2), outside));
            weakest = std::min(weakest, strongestContrast(QRect(x, rect.bottom() - 1, 1, 2), outside));
        }
        for (int y = rect.top() + rect.height() / 4; y <= rect.bottom() - rect.height() / 4; ++y) {
            weakest = std::min(weakest, strongestContrast(QRect(rect.left(), y, 2, 1), outside));
            weakest = std::min(weakest, strongestContrast(QRect(rect.right() - 1, y, 2, 1), outside));
        }
        return weakest;
    }

private:
    QImage m_image;
};

QString describe(const QWidget* widget, const QString& text) {
    const QString name = text.isEmpty() ? widget->accessibleName() : text;
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(widget->metaObject()->className()),
             name.left(40).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

QStyleOptionButton checkBoxOption(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    option.iconSize = box->iconSize();
    option.state |= box->isChecked() ? QStyle::State_On : QStyle::State_Off;
    return option;
}

} // namespace

QList<ContrastMeasure> measureContrast(QWidget& window, const QImage& image) {
    const Pixels pixels(image);
    QList<ContrastMeasure> measures;
    const auto inWindow = [&](const QWidget* w, const QRect& r) {
        return QRect(w->mapTo(&window, r.topLeft()), r.size());
    };
    // The text drawn in part of a widget, against the colour most of that part has.
    const auto text = [&](const QWidget* w, const QRect& area, const QString& shown) {
        const QRect r = inWindow(w, area);
        measures.append(
            {describe(w, shown), pixels.strongestContrast(r, pixels.mostCommon(QRegion(r))), kTextContrast});
    };
    const auto edge = [&](const QWidget* w, const QRect& area, const QString& shown) {
        measures.append({describe(w, shown) + QStringLiteral(" edge"), pixels.edgeContrast(inWindow(w, area)),
                         kControlContrast});
    };

    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* w : std::as_const(widgets)) {
        // Only what is drawn whole: not scrolled out of sight, hidden or disabled.
        if (!w->isVisible() || !w->isEnabled() || w->visibleRegion() != QRegion(w->rect()))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty())
                text(label, label->contentsRect(), label->text());
        } else if (auto* elided = qobject_cast<ElidedLabel*>(w)) {
            text(elided, elided->rect(), elided->text());
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            const QStyleOptionButton option = checkBoxOption(box);
            text(box, box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box), box->text());
            edge(box, box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box), box->text());
        } else if (auto* push = qobject_cast<QPushButton*>(w)) {
            if (!push->text().isEmpty())
                text(push, push->rect().adjusted(4, 4, -4, -4), push->text());
            if (!push->isFlat())
                edge(push, push->rect(), push->text());
        } else if (auto* tool = qobject_cast<QToolButton*>(w)) {
            if (!tool->text().isEmpty() && tool->icon().isNull())
                text(tool, tool->rect().adjusted(3, 3, -3, -3), tool->text());
            if (!tool->autoRaise())
                edge(tool, tool->rect(), tool->text());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.frame = true;
            text(combo,
                 combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                                combo),
                 combo->currentText());
            edge(combo, combo->rect(), combo->currentText());
        } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
            edge(spin, spin->rect(), spin->text()); // its text is its line edit's
        } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
            const bool isPart = qobject_cast<QAbstractSpinBox*>(field->parentWidget()) ||
                                qobject_cast<QComboBox*>(field->parentWidget());
            text(field, field->rect().adjusted(3, 3, -3, -3),
                 field->text().isEmpty() ? field->placeholderText() : field->text());
            if (!isPart)
                edge(field, field->rect(), field->placeholderText());
        } else if (auto* thumbnail = qobject_cast<SnapLayoutView*>(w)) {
            // Each zone's fill against what is around the thumbnail.
            const QRect around = inWindow(thumbnail, thumbnail->rect());
            const QColor outside =
                pixels.mostCommon(QRegion(around.adjusted(-3, -3, 3, 3)).subtracted(QRegion(around)));
            for (qsizetype i = 0; i < thumbnail->layout().zones.size(); ++i) {
                const QAbstractButton* zone = thumbnail->zoneButton(i);
                if (thumbnail->hoveredZoneId() == thumbnail->layout().zones[i].id)
                    continue;
                const QPoint centre = zone->mapTo(&window, zone->rect().center());
                measures.append({describe(zone, {}) + QStringLiteral(" fill"),
                                 contrastRatio(pixels.at(centre.x(), centre.y()), outside),
                                 kControlContrast});
            }
        } else if (auto* canvas = qobject_cast<GridBuilderCanvas*>(w)) {
            const auto* builder = static_cast<const GridBuilderView*>(canvas->parentWidget());
            for (const GridSpan& zone : builder->zones())
                edge(canvas, canvas->zoneShape(zone).toRect(), canvas->accessibleName());
        }
    }
    return measures;
}

} // namespace corvane
