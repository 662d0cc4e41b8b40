#pragma once
// What the layers above may ask of other applications' windows: elements, their attributes, the
// element under a point and the trust check. Implemented by every backend: on X11 from the client windows
// (and the accessibility bus for title bars clients draw), on KDE Plasma and GNOME from the agent's reports,
// and by the simulated desktop.

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <variant>

namespace corvane {

// Attribute, role and subrole names.
namespace ax {
inline constexpr auto kFocusedWindow = "AXFocusedWindow";
inline constexpr auto kPosition = "AXPosition";
inline constexpr auto kSize = "AXSize";
inline constexpr auto kWindow = "AXWindow";
inline constexpr auto kParent = "AXParent";
inline constexpr auto kRole = "AXRole";
inline constexpr auto kSubrole = "AXSubrole";
inline constexpr auto kFullScreen = "AXFullScreen";
inline constexpr auto kTitle = "AXTitle"; // a window's title, a string
// Corvane's own attribute of a window: the frame it had before Corvane first placed it (a rect, AX
// coordinates), kept with the window itself; writing null forgets it.
inline constexpr auto kRestoreFrame = "CorvaneRestoreFrame";

// Actions: a window brought to the front, the focus left where it is.
inline constexpr auto kRaiseAction = "AXRaise";

inline constexpr auto kWindowRole = "AXWindow";
inline constexpr auto kButtonRole = "AXButton";
inline constexpr auto kZoomButtonSubrole = "AXZoomButton";
inline constexpr auto kFullScreenButtonSubrole = "AXFullScreenButton";
inline constexpr auto kCloseButtonSubrole = "AXCloseButton";
inline constexpr auto kMinimizeButtonSubrole = "AXMinimizeButton";
} // namespace ax

// An opaque reference to an element: an application, a window or a part of one. The handle
// means something only to the implementation that made it; 0 is no element.
struct AxElement {
    quint64 handle = 0;

    bool isNull() const { return handle == 0; }
    friend bool operator==(const AxElement&, const AxElement&) = default;
};

enum class AxError {
    Success,
    Failure,
    IllegalArgument,
    InvalidElement, // the window or application is gone
    CannotComplete, // no answer within the messaging timeout
    AttributeUnsupported,
    ActionUnsupported,
    NoValue,
    ApiDisabled, // not trusted
};

enum class AxValueType { Point = 1, Size = 2, Rect = 3 };

// A geometric attribute value: a point (position), a size, or a rect (both).
struct AxValue {
    AxValueType type = AxValueType::Point;
    QPointF point;
    QSizeF size;

    static AxValue ofPoint(QPointF p) { return {AxValueType::Point, p, {}}; }
    static AxValue ofSize(QSizeF s) { return {AxValueType::Size, {}, s}; }
    static AxValue ofRect(const QRectF& r) { return {AxValueType::Rect, r.topLeft(), r.size()}; }
    // The value as the type asked for; none when it holds the other type.
    std::optional<QPointF> pointValue() const {
        return type == AxValueType::Point ? std::optional(point) : std::nullopt;
    }
    std::optional<QSizeF> sizeValue() const {
        return type == AxValueType::Size ? std::optional(size) : std::nullopt;
    }
    std::optional<QRectF> rectValue() const {
        return type == AxValueType::Rect ? std::optional(QRectF(point, size)) : std::nullopt;
    }
};

// A value of a kind no caller asks for (an array, a date, ...): readers treat it as the wrong type.
struct AxOtherValue {
    QString typeName;
    friend bool operator==(const AxOtherValue&, const AxOtherValue&) = default;
};

// An attribute's value; monostate is a null value.
using AttributeValue = std::variant<std::monostate, AxElement, AxValue, QString, bool, double, AxOtherValue>;

struct AttributeResult {
    AxError error = AxError::Success;
    AttributeValue value;

    // The read succeeded with a value of type T; otherwise null.
    template <typename T> const T* get() const {
        return error == AxError::Success ? std::get_if<T>(&value) : nullptr;
    }
};

struct ElementHit {
    AxError error = AxError::Success;
    AxElement element; // null when nothing was hit
};

struct PidResult {
    AxError error = AxError::Success;
    qint32 pid = 0;
};

// Main thread only. Frames are read here and written through WindowFrames; of a window's attributes
// only the remembered frame is written here.
class Accessibility : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual AxElement applicationElement(qint32 pid) = 0;
    virtual AxElement systemWideElement() = 0;
    // The element of the window the window list names by this number; it answers nothing when there
    // is no such window.
    virtual AxElement elementOfWindow(quint32 number) = 0;

    virtual AttributeResult copyAttributeValue(AxElement element, const QString& attribute) = 0;
    virtual AxError setAttributeValue(AxElement element, const QString& attribute,
                                      const AttributeValue& value) = 0;

    // Performs one of the actions above on the element.
    virtual AxError performAction(AxElement element, const QString& action) = 0;

    // The element at a point in AX coordinates, asked through an application or the system-wide element.
    virtual ElementHit elementAtPosition(AxElement root, float x, float y) = 0;
    // Bounds every later request to this element; 0 restores the default bound.
    virtual AxError setMessagingTimeout(AxElement element, float seconds) = 0;
    virtual PidResult pidOfElement(AxElement element) = 0;

    virtual bool isProcessTrusted() = 0;
    // The same check, asking the user to grant access when it fails.
    virtual bool isProcessTrustedWithPrompt() = 0;

signals:
    // The system announced that accessibility access may have changed.
    void accessibilityApiChanged();
};

} // namespace corvane
