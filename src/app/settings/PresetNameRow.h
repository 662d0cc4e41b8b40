#pragma once
// A name field, its "+" button and the red message under it, as the grid builder and the manual
// size cards each have one: the button is enabled while the controller accepts the name, the
// message says why it does not, and a name saved empties the field.

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace corvane {

class WindowController;

class PresetNameRow : public QWidget {
    Q_OBJECT
public:
    // `add` saves a preset of the name and says whether it did.
    using Add = std::function<bool(const QString& name)>;
    PresetNameRow(WindowController& controller, const QString& placeholder, const QString& addName, Add add,
                  QWidget* parent = nullptr);

    static constexpr qsizetype nameCharacterLimit = 15;
    // The first nameCharacterLimit characters as the user sees them (grapheme clusters).
    static QString limitedName(const QString& text);

private:
    void refresh();
    void submit();

    WindowController& m_controller;
    Add m_add;
    QLineEdit* m_field = nullptr;
    QToolButton* m_addButton = nullptr;
    QLabel* m_message = nullptr;
};

} // namespace corvane
