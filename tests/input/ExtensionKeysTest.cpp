// Corvane's extension in GNOME Shell binds a chord only under a key its settings schema declares, and
// refuses the whole set of keybindings when one name is unknown: every hotkey action's name must be there.
#include "input/HotkeyChords.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ExtensionKeysTest, EveryHotkeyActionHasAKeyInTheGnomeExtensionsSchema) {
    QFile schema(QStringLiteral(
        QT_TESTCASE_SOURCEDIR
        "/../data/gnome/corvane@corvane.app/schemas/org.gnome.shell.extensions.corvane.gschema.xml"));
    ASSERT_TRUE(schema.open(QIODevice::ReadOnly)) << qPrintable(schema.fileName());
    const QString text = QString::fromUtf8(schema.readAll());
    QStringList keys;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(QStringLiteral("<key name=\"([^\"]+)\" type=\"as\">")).globalMatch(text))
        keys.append(m.captured(1));
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i) {
        const QString name = hotkeyShortcutName(HotkeyAction(i)).key;
        EXPECT_TRUE(keys.contains(name)) << qPrintable(name);
    }
}

} // namespace
} // namespace corvane
