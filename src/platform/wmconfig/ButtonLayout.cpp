#include "ButtonLayout.h"

#include <QHash>
#include <algorithm>

namespace corvane {

namespace {

using Letters = QHash<QChar, TitleButton>;

// Letters split at the title's mark: those before it on the left, those after it on the right,
// written left to right. Without the mark everything sits on the left.
ButtonLayout splitAtTitle(const QString& layout, QChar title, const Letters& letters) {
    ButtonLayout result;
    QList<TitleButton>* side = &result.left;
    for (const QChar c : layout) {
        if (c == title)
            side = &result.right;
        else if (letters.contains(c))
            side->append(letters.value(c));
    }
    std::reverse(result.right.begin(), result.right.end());
    return result;
}

QList<TitleButton> named(const QStringList& names, const QHash<QString, TitleButton>& known) {
    QList<TitleButton> buttons;
    for (const QString& name : names) {
        const QString key = name.trimmed().toLower();
        if (known.contains(key))
            buttons.append(known.value(key));
    }
    return buttons;
}

QList<TitleButton> lettered(const QString& letters, const Letters& known) {
    QList<TitleButton> buttons;
    for (const QChar c : letters) {
        if (known.contains(c))
            buttons.append(known.value(c));
    }
    return buttons;
}

QList<TitleButton> reversed(QList<TitleButton> buttons) {
    std::reverse(buttons.begin(), buttons.end());
    return buttons;
}

} // namespace

std::optional<QRectF> titleButtonRect(const ButtonLayout& layout, const ButtonMetrics& metrics,
                                      TitleButton button, const QRectF& frame, int topExtent) {
    const int height = topExtent - metrics.top - metrics.bottomInset;
    if (height < 4)
        return std::nullopt; // a border, not a title bar
    const auto widthOf = [&](TitleButton b) {
        if (b == TitleButton::Close && metrics.closeWidth > 0)
            return metrics.closeWidth;
        return metrics.width > 0 ? metrics.width : height;
    };
    for (const bool isLeft : {true, false}) {
        int offset = metrics.edge;
        for (TitleButton b : isLeft ? layout.left : layout.right) {
            const int width = widthOf(b);
            if (b == button) {
                const double x = isLeft ? frame.left() + offset : frame.right() - offset - width;
                return QRectF(x, frame.top() + metrics.top, width, height);
            }
            offset += width + metrics.spacing;
        }
    }
    return std::nullopt;
}

ButtonLayout openboxLayout(const QString& titleLayout) {
    static const Letters letters{{'C', TitleButton::Close},    {'M', TitleButton::Maximize},
                                 {'I', TitleButton::Minimize}, {'N', TitleButton::Other},
                                 {'D', TitleButton::Other},    {'S', TitleButton::Other}};
    return splitAtTitle(titleLayout.toUpper(), 'L', letters);
}

ButtonLayout xfwmLayout(const QString& buttonLayout) {
    static const Letters letters{{'C', TitleButton::Close},    {'M', TitleButton::Maximize},
                                 {'H', TitleButton::Minimize}, {'O', TitleButton::Other},
                                 {'S', TitleButton::Other},    {'T', TitleButton::Other}};
    return splitAtTitle(buttonLayout, '|', letters);
}

ButtonLayout gnomeLayout(const QString& buttonLayout) {
    // "appmenu" shows only for applications that export a menu, so it takes no room on most windows.
    static const QHash<QString, TitleButton> known{
        {"close", TitleButton::Close},       {"maximize", TitleButton::Maximize},
        {"minimize", TitleButton::Minimize}, {"menu", TitleButton::Other},
        {"spacer", TitleButton::Other},      {"shade", TitleButton::Other},
        {"above", TitleButton::Other},       {"stick", TitleButton::Other}};
    const qsizetype colon = buttonLayout.indexOf(':');
    const QString left = colon < 0 ? buttonLayout : buttonLayout.left(colon);
    const QString right = colon < 0 ? QString() : buttonLayout.mid(colon + 1);
    return ButtonLayout{named(left.split(','), known), reversed(named(right.split(','), known))};
}

ButtonLayout kwinLayout(const QString& onLeft, const QString& onRight) {
    // H (context help) and N (application menu) show only for windows that offer them.
    static const Letters letters{
        {'X', TitleButton::Close}, {'A', TitleButton::Maximize}, {'I', TitleButton::Minimize},
        {'M', TitleButton::Other}, {'S', TitleButton::Other},    {'F', TitleButton::Other},
        {'B', TitleButton::Other}, {'L', TitleButton::Other},    {'_', TitleButton::Other}};
    return ButtonLayout{lettered(onLeft, letters), reversed(lettered(onRight, letters))};
}

ButtonLayout fluxboxLayout(const QString& left, const QString& right) {
    static const QHash<QString, TitleButton> known{
        {"close", TitleButton::Close},       {"maximize", TitleButton::Maximize},
        {"minimize", TitleButton::Minimize}, {"shade", TitleButton::Other},
        {"stick", TitleButton::Other},       {"menuicon", TitleButton::Other},
        {"lhalf", TitleButton::Other},       {"rhalf", TitleButton::Other}};
    const auto words = [](const QString& s) { return s.split(' ', Qt::SkipEmptyParts); };
    return ButtonLayout{named(words(left), known), reversed(named(words(right), known))};
}

ButtonLayout icewmLayout(const QString& left, const QString& right, const QString& supported) {
    Letters letters;
    for (const QChar c : supported) {
        if (c == 'x')
            letters.insert(c, TitleButton::Close);
        else if (c == 'm')
            letters.insert(c, TitleButton::Maximize);
        else if (c == 'i')
            letters.insert(c, TitleButton::Minimize);
        else if (QStringLiteral("hrsdc").contains(c))
            letters.insert(c, TitleButton::Other);
    }
    return ButtonLayout{lettered(left, letters), lettered(right, letters)};
}

ButtonLayout fallbackLayout() {
    return ButtonLayout{{}, {TitleButton::Other, TitleButton::Maximize}};
}

} // namespace corvane
