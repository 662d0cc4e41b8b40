#pragma once
// One titled section of the settings window: its title in the card's first row, the controls
// below. A card whose feature the running desktop lacks keeps its title and says so in one line.

#include "ui/Card.h"

class QHBoxLayout;

namespace corvane {

class SettingsCard : public Card {
    Q_OBJECT
public:
    SettingsCard(const QString& title, QWidget* parent = nullptr);

    // The card as it shows where the desktop cannot do what its controls would offer.
    static SettingsCard* unavailable(const QString& title, const QString& explanation,
                                     QWidget* parent = nullptr);

protected:
    // The title, then a stretch: a card may put a glyph before the title or a note after it.
    QHBoxLayout* titleRow() const { return m_titleRow; }

private:
    QHBoxLayout* m_titleRow = nullptr;
};

} // namespace corvane
