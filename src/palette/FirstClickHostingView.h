#pragma once
// Hosts a view in a window of an inactive application so that the first click acts on what it
// hits: nothing inside takes the keyboard focus, so the click never asks for activation and the
// other application keeps its focus.

#include <QWidget>

namespace corvane {

class FirstClickHostingView : public QWidget {
    Q_OBJECT
public:
    explicit FirstClickHostingView(QWidget* rootView, QWidget* parent = nullptr);

    QWidget* rootView() const { return m_rootView; }

private:
    QWidget* m_rootView;
};

} // namespace corvane
