#pragma once
// Opening addresses for the user. The access page (kAccessibilitySettingsUrl) is the README's section on
// it, installed beside the program: <prefix>/bin/corvane and <prefix>/share/doc/corvane/README.md; a
// build run from its own folder has none.

#include <QString>

namespace corvane {

bool openDesktopUrl(const QString& url);
// Whether there is anything at the address to open.
bool canOpenDesktopUrl(const QString& url);

} // namespace corvane
