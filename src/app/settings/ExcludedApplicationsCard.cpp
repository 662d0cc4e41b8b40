#include "ExcludedApplicationsCard.h"

#include "app/settings/SettingsWidgets.h"
#include "control/WindowController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane {

ExcludedApplicationsCard::ExcludedApplicationsCard(WindowController& controller, QWidget* parent)
    : SettingsCard(title(), parent)
    , m_controller(controller)
    , m_listSlot(new QVBoxLayout) {
    rows()->addWidget(makeExplanation(tr("Corvane never moves the windows of these applications: no hotkey, "
                                         "drag, Quick Snap or command acts on them."),
                                      this));
    m_listSlot->setContentsMargins(0, 0, 0, 0);
    rows()->addLayout(m_listSlot);
    m_add = new QPushButton(tr("Add the application of the last active window"), this);
    m_add->setObjectName(QStringLiteral("addExcludedApplication"));
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (const std::optional<RunningApplication>& last = m_controller.placer().lastActiveApp())
            m_controller.excludedApplications().add(last->name);
    });
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_add);
    buttonRow->addStretch();
    rows()->addLayout(buttonRow);
    connect(&m_controller.excludedApplications(), &ExcludedApplications::namesChanged, this,
            &ExcludedApplicationsCard::refresh);
    refresh();
}

void ExcludedApplicationsCard::refresh() {
    const QStringList& names = m_controller.excludedApplications().names();
    // The old list may hold the remove button being clicked right now.
    if (m_list)
        m_list->deleteLater();
    if (names.isEmpty()) {
        QLabel* none = makeLabel(tr("No applications."), TextStyle::Caption, this, true);
        none->setContentsMargins(0, 6, 0, 6);
        m_list = none;
    } else {
        auto* list = new Card(QPalette::Window, 6, this);
        for (const QString& name : names)
            list->rows()->addWidget(makeRow(name, list));
        m_list = list;
    }
    m_list->setObjectName(QStringLiteral("excludedApplications"));
    m_listSlot->addWidget(m_list);
}

QWidget* ExcludedApplicationsCard::makeRow(const QString& name, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(makeLabel(name, TextStyle::Body, row));
    line->addStretch();
    auto* remove = new QToolButton(row);
    remove->setText(tr("Remove"));
    remove->setAutoRaise(true);
    remove->setFont(fontFor(TextStyle::Caption));
    useSecondaryText(remove);
    remove->setAccessibleName(tr("Remove %1").arg(name));
    connect(remove, &QToolButton::clicked, this,
            [this, name] { m_controller.excludedApplications().remove(name); });
    line->addWidget(remove);
    return row;
}

} // namespace corvane
