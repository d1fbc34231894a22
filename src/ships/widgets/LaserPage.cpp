#include "ships/widgets/LaserPage.h"

#include "platform/widgets/ChosenRow.h"
#include "shell/mdlComFunctions.h"
#include "ships/ShipValues.h"
#include "ships/widgets/ShipLists.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int32_t kMaskBits = 32;

QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption,
                         const QString& tip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    return button;
}

} // namespace

LaserPage::LaserPage(QWidget* parent) : QWidget(parent), m_prompts(platform::kProgramTitle, this) {
    auto* layout = new QGridLayout(this);
    const QStringList columns{QStringLiteral("Line"), QStringLiteral("Name")};
    m_laserView = ShipLists::NewList(this, QStringLiteral("LaserView"), columns);
    m_availView = ShipLists::NewList(this, QStringLiteral("AvailView"), columns);
    m_btnAddLaser = NamedButton(this, QStringLiteral("btnAddLaser"), QStringLiteral("<<"),
                                QStringLiteral("Add laser to ship"));
    m_btnRemoveLaser = NamedButton(this, QStringLiteral("btnRemoveLaser"), QStringLiteral(">>"),
                                   QStringLiteral("Remove laser from ship"));
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnAddLaser);
    buttons->addWidget(m_btnRemoveLaser);
    buttons->addStretch();
    layout->addWidget(
        NamedLabel(this, QStringLiteral("Label1"), QStringLiteral("Compatible lasers")), 0, 0);
    layout->addWidget(
        NamedLabel(this, QStringLiteral("lblAvailLasers"), QStringLiteral("Available lasers")), 0,
        2);
    layout->addWidget(m_laserView, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(m_availView, 1, 2);

    connect(m_availView, &QTreeWidget::itemDoubleClicked, this,
            [this] { emit MoveRequested(true); });
    connect(m_btnAddLaser, &QPushButton::clicked, this, [this] { emit MoveRequested(true); });
    connect(m_laserView, &QTreeWidget::itemDoubleClicked, this,
            [this] { emit MoveRequested(false); });
    connect(m_btnRemoveLaser, &QPushButton::clicked, this, [this] { emit MoveRequested(false); });
}

void LaserPage::Clear() {
    m_laserView->clear();
    m_availView->clear();
}

void LaserPage::AddRow(QTreeWidget* list, const clsTXTObject& laser, int32_t bit) {
    ShipLists::AddKeyedRow(
        list,
        {QString::number(laser.Index()), ShipValues::RecordName(laser, ShipLists::DescLookups())},
        laser.Key(), bit);
}

void LaserPage::Fill(const clsTxtParser& lasers, int32_t mask) {
    Clear();
    for (int32_t bit = 0; bit < kMaskBits; ++bit) {
        const auto laser = lasers.FindIndex(bit);
        if (!laser)
            break;
        AddRow(mdlComFunctions::IsBitSet(mask, bit) ? m_laserView : m_availView, *laser, bit);
    }
}

bool LaserPage::Move(bool compatible, const clsTxtParser& lasers, TFileDocument& document,
                     const TFileDocument::Record& record, int32_t maskField) {
    QTreeWidget* from = compatible ? m_availView : m_laserView;
    QTreeWidgetItem* row = platform::ChosenItem(from);
    if (!row || !record)
        return false;
    const auto laser = lasers.FindKey(ShipLists::RowKey(row));
    if (!laser)
        return false;
    const int32_t bit = laser->Index();
    const std::optional<int32_t> mask = ShipValues::LaserMask(record->Value(maskField));
    if (!mask || bit < 0 || bit >= kMaskBits) {
        m_prompts.tell(QStringLiteral("The value \"Possible lasers\" is no 32-bit number; "
                                      "correct it first."),
                       platform::PromptIcon::Exclamation);
        return false;
    }
    const int32_t changed =
        compatible ? mdlComFunctions::SetBit(*mask, bit) : mdlComFunctions::ClearBit(*mask, bit);
    QString error;
    if (!document.SetValue(record, maskField, changed, error)) {
        m_prompts.tell(error, platform::PromptIcon::Critical);
        return false;
    }
    delete row;
    AddRow(compatible ? m_laserView : m_availView, *laser, bit);
    return true;
}
