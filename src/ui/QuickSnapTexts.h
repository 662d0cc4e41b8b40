#pragma once
// Quick Snap's words, kept in one place: where the palette opens on a Linux desktop (on a window's
// maximize button, wherever the window manager or the app draws it) and what turning it on changes.
// The settings card and its confirmation show them; the README says the same.

#include <QString>

namespace corvane::quickSnapTexts {

QString confirmationTitle();
QString confirmationMessage();
// The card's two explanations: where to rest the pointer, and what watching for it costs.
QString whereItOpens();
QString whatItCosts();

} // namespace corvane::quickSnapTexts
