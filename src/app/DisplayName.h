#pragma once
// The X display a DISPLAY value names, as Corvane tells its instances apart: ":77", ":77.0" and
// "unix:77" are one display (the screen and the local socket's prefix name the same server). It
// gives the element that names the display in Corvane's per-display bus name and lock file, and
// reads it back, so that a command can name the displays where Corvane runs.

#include <QString>
#include <optional>

namespace corvane {

class DisplayName {
public:
    // nullopt when the value has no display number after its last colon.
    static std::optional<DisplayName> parse(const QString& value);
    // The display an element made by busElement() names; nullopt for anything else.
    static std::optional<DisplayName> fromBusElement(const QString& element);

    // "d77" for a local display; a remote one adds "_" and its host, every byte other than an ASCII
    // letter or digit written as "_" and two hex digits (a bus name's element allows no more).
    QString busElement() const;
    // As a user writes it: ":77", "host:77".
    QString text() const;

    friend bool operator==(const DisplayName&, const DisplayName&) = default;

private:
    DisplayName(QString host, uint number)
        : m_host(std::move(host))
        , m_number(number) {}

    QString m_host; // empty for the local server
    uint m_number = 0;
};

} // namespace corvane
