#include "QuickSnapTexts.h"

#include <QCoreApplication>

namespace corvane::quickSnapTexts {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("QuickSnap", text);
}

} // namespace

QString confirmationTitle() {
    return tr("Turn on the green-button palette?");
}

QString confirmationMessage() {
    return tr("Quick Snap then opens whenever the pointer rests on a window's maximize button. The button "
              "keeps working as before, and nothing outside Corvane changes: no app and no desktop setting. "
              "Turning this off stops it at once.");
}

QString whereItOpens() {
    return tr(
        "On Linux the green button is a window's maximize button, wherever it is drawn: by your window "
        "manager, at the top right on most desktops, or by the app itself. Rest the pointer on it and a "
        "palette of layouts opens below it; click a zone to put the window there. A click on the button "
        "still maximizes the window.");
}

QString whatItCosts() {
    return tr(
        "To notice the pointer resting on a maximize button, Corvane watches mouse movement, which uses a "
        "little extra CPU and battery while the pointer is moving. Nothing runs while it's still, or when "
        "this is off.");
}

} // namespace corvane::quickSnapTexts
