#pragma once
// The display a Corvane runs on, as Corvane tells its instances apart: the X display a DISPLAY value
// names (":77", ":77.0" and "unix:77" are one display: the screen and the local socket's prefix name
// the same server), or the Wayland socket WAYLAND_DISPLAY names, for a desktop Corvane drives through
// its compositor. It gives the element that names the display in Corvane's per-display bus name and
// lock file, and reads it back, so that a command can name the displays where Corvane runs.

#include <QString>
#include <optional>

namespace corvane {

class DisplayName {
public:
    // nullopt when the value has no display number after its last colon.
    static std::optional<DisplayName> parse(const QString& value);
    // nullopt for an empty socket name.
    static std::optional<DisplayName> ofWaylandSocket(const QString& socket);
    // The display an element made by busElement() names; nullopt for anything else.
    static std::optional<DisplayName> fromBusElement(const QString& element);

    // "d77" for a local display; a remote one adds "_" and its host, every byte other than an ASCII
    // letter or digit written as "_" and two hex digits (a bus name's element allows no more). A
    // Wayland socket is "w" and its name written so: "wwayland_2D0".
    QString busElement() const;
    // As a user writes it: ":77", "host:77", "wayland-0".
    QString text() const;

    friend bool operator==(const DisplayName&, const DisplayName&) = default;

private:
    DisplayName(QString host, uint number, bool isWayland = false)
        : m_host(std::move(host))
        , m_number(number)
        , m_isWayland(isWayland) {}

    QString m_host; // empty for the local server; the socket's name for Wayland
    uint m_number = 0;
    bool m_isWayland = false;
};

} // namespace corvane
