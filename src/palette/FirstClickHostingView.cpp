#include "FirstClickHostingView.h"

#include <QVBoxLayout>

namespace corvane {

FirstClickHostingView::FirstClickHostingView(QWidget* rootView, QWidget* parent)
    : QWidget(parent)
    , m_rootView(rootView) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(rootView);
    setFocusPolicy(Qt::NoFocus);
    for (QWidget* child : findChildren<QWidget*>())
        child->setFocusPolicy(Qt::NoFocus);
    rootView->setFocusPolicy(Qt::NoFocus);
}

} // namespace corvane
