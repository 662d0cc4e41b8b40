#include "PresetsCard.h"

#include "app/settings/SettingsWidgets.h"
#include "control/WindowController.h"
#include "ui/PresetCell.h"
#include "ui/SnapLayoutView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

QToolButton* makeDeleteButton(const QString& presetName, QWidget* parent) {
    auto* button = new QToolButton(parent);
    const QIcon trash = QIcon::fromTheme(QStringLiteral("user-trash"));
    if (trash.isNull())
        button->setText(QObject::tr("Delete"));
    else
        button->setIcon(trash);
    button->setAutoRaise(true);
    button->setFont(fontFor(TextStyle::Caption));
    useSecondaryText(button);
    button->setToolTip(QObject::tr("Delete “%1”").arg(presetName));
    button->setAccessibleName(QObject::tr("Delete %1").arg(presetName));
    return button;
}

} // namespace

PresetsCard::PresetsCard(WindowController& controller, QWidget* parent)
    : SettingsCard(tr("PRESETS"), parent)
    , m_controller(controller)
    , m_count(makeLabel(QString(), TextStyle::SecondCaption, this))
    , m_listSlot(new QVBoxLayout) {
    m_count->setObjectName(QStringLiteral("presetCount"));
    m_count->setContentsMargins(4, 4, 4, 4);
    m_count->setAutoFillBackground(true);
    QPalette gray = m_count->palette();
    gray.setColor(QPalette::Window, QColor::fromRgbF(0.5f, 0.5f, 0.5f, 0.2f));
    m_count->setPalette(gray);
    titleRow()->insertWidget(1, m_count);
    m_listSlot->setContentsMargins(0, 0, 0, 0);
    rows()->addLayout(m_listSlot);
    connect(&m_controller.presets(), &PresetStore::presetsChanged, this, &PresetsCard::refresh);
    refresh();
}

void PresetsCard::refresh() {
    const QList<Preset>& presets = m_controller.presets().all();
    m_count->setText(QString::number(presets.size()));
    m_count->setAccessibleName(tr("%n preset(s)", nullptr, int(presets.size())));
    // The old list may hold the delete button being clicked right now.
    if (m_list)
        m_list->deleteLater();
    if (presets.isEmpty()) {
        QLabel* none = makeLabel(tr("No presets saved."), TextStyle::Caption, this, true);
        none->setContentsMargins(0, 6, 0, 6);
        m_list = none;
    } else {
        auto* list = new Card(QPalette::Window, 6, this);
        for (const Preset& preset : presets)
            list->rows()->addWidget(makeRow(preset, list));
        m_list = list;
    }
    m_list->setObjectName(QStringLiteral("presetList"));
    m_listSlot->addWidget(m_list);
}

QWidget* PresetsCard::makeRow(const Preset& preset, QWidget* parent) {
    auto* row = new QWidget(parent);
    QToolButton* remove = makeDeleteButton(preset.name, row);
    connect(remove, &QToolButton::clicked, this,
            [this, id = preset.id] { m_controller.presets().deletePreset(id); });
    QLabel* name = makeLabel(preset.name, TextStyle::Subheadline, row);
    if (const std::optional<SnapLayout> layout = preset.gridLayout()) {
        auto* group = new QVBoxLayout(row);
        group->setContentsMargins(0, 0, 0, 0);
        group->setSpacing(4);
        auto* top = new QHBoxLayout;
        top->addWidget(name);
        top->addStretch();
        top->addWidget(remove);
        group->addLayout(top);
        auto* thumbnail = new SnapLayoutView(
            *layout, [this](const QRectF& fraction) { m_controller.placer().snapFocusedWindow(fraction); },
            row);
        thumbnail->setFixedHeight(50);
        thumbnail->followZoneSpacing(m_controller.zoneSpacing());
        thumbnail->setToolTip(preset.name);
        group->addWidget(thumbnail);
        return row;
    }
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(name);
    if (preset.width && preset.height)
        line->addWidget(
            makeLabel(PresetCell::sizeLabel(*preset.width, *preset.height), TextStyle::Caption, row, true));
    line->addStretch();
    line->addWidget(remove);
    return row;
}

} // namespace corvane
