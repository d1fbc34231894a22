#include "ships/widgets/frmTurretEdit.h"

#include "common/mdlCommon.h"
#include "common/widgets/mdlCommonWidgets.h"
#include "platform/ZorvError.h"
#include "platform/widgets/DialogRunner.h"
#include "ships/ShipValues.h"
#include "ships/clsCockpitParser.h"
#include "ships/clsShip.h"
#include "ships/clsTurret.h"
#include "ships/widgets/ValueBoxes.h"
#include "tfiles/mdlZorvShips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using platform::PromptIcon;

constexpr int kTurretFields = 4;
constexpr int kFirstWritten = 2;
constexpr int32_t kFirstPosition = 1;
constexpr int32_t kLastPosition = 6;

std::optional<int32_t> WholeText(const QString& text) {
    const std::optional<double> number = ShipValues::TextNumber(text);
    return number ? ShipValues::WholeNumber(*number) : std::nullopt;
}

QComboBox* DescriptorCombo(QWidget* parent, const QString& name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(180);
    return combo;
}

// Shows the text; the entry with the data is the selected one when there
// is one, so a name listed twice keeps the entry it stands for.
void ShowComboValue(QComboBox* combo, int32_t data, const QString& text) {
    combo->setCurrentIndex(combo->findData(data));
    combo->setEditText(text);
}

} // namespace

frmTurretEdit::frmTurretEdit(QWidget* owner)
    : QDialog(owner), m_prompts(platform::kProgramTitle, this) {
    setObjectName(QStringLiteral("frmTurretEdit"));
    setWindowTitle(QStringLiteral("Turret Edit"));
    auto* layout = new QVBoxLayout(this);

    auto* data = new QGroupBox(QStringLiteral("Turret data"), this);
    auto* dataGrid = new QGridLayout(data);
    m_boxes = new ValueBoxes(data, dataGrid,
                             {QStringLiteral("Index"), QStringLiteral("Turret Index"),
                              QStringLiteral("Body ID"), QStringLiteral("Path ID")},
                             kFirstWritten);
    layout->addWidget(data);

    auto* descriptor = new QGroupBox(QStringLiteral("Turret Descriptor"), this);
    auto* descGrid = new QGridLayout(descriptor);
    m_cmbTType = DescriptorCombo(descriptor, QStringLiteral("cmbTType"));
    m_cmbPosition = DescriptorCombo(descriptor, QStringLiteral("cmbPosition"));
    descGrid->addWidget(new QLabel(QStringLiteral("Turret type"), descriptor), 0, 0);
    descGrid->addWidget(m_cmbTType, 0, 1);
    descGrid->addWidget(new QLabel(QStringLiteral("Position"), descriptor), 1, 0);
    descGrid->addWidget(m_cmbPosition, 1, 1);
    m_lblFrontGun = new QLabel(
        QStringLiteral("The first section of a ship is its front gun: it has no turret type "
                       "and no position."),
        descriptor);
    m_lblFrontGun->setObjectName(QStringLiteral("lblFrontGun"));
    m_lblFrontGun->setWordWrap(true);
    m_lblFrontGun->setVisible(false);
    descGrid->addWidget(m_lblFrontGun, 2, 0, 1, 2);
    layout->addWidget(descriptor);

    QHBoxLayout* buttons = DialogButtons(this, m_btnOK, m_btnCancel);
    layout->addLayout(buttons);
    connect(m_btnOK, &QPushButton::clicked, this, &frmTurretEdit::btnOK_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmTurretEdit::btnCancel_Click);
}

void frmTurretEdit::ShowTurret(std::shared_ptr<clsTurret> turret, std::shared_ptr<clsShip> ship,
                               const clsCockpitParser& cockpits) {
    m_isNewTurret = false;
    m_turret = std::move(turret);
    m_ship = std::move(ship);
    m_cockpits = &cockpits;
    FillDialog();
    platform::RunModal(*this);
}

void frmTurretEdit::NewTurret(std::shared_ptr<clsShip> ship, const clsCockpitParser& cockpits) {
    m_isNewTurret = true;
    m_turret.reset();
    m_ship = std::move(ship);
    m_cockpits = &cockpits;
    FillDialog();
    platform::RunModal(*this);
}

bool frmTurretEdit::SectionIsTurret() const {
    // A new section is a real turret unless it is the ship's first.
    if (m_isNewTurret && !m_turret)
        return !m_ship->Turrets().isEmpty();
    return m_turret->IsTurret();
}

void frmTurretEdit::FillDialog() {
    mdlCommon::FillComboFromArray(m_cmbPosition, mdlZorvShips::TurretPositionNames);
    m_cmbTType->clear();
    for (const auto& cockpit : m_cockpits->Cockpits)
        m_cmbTType->addItem(cockpit->Object->ObjectName(), cockpit->Object->Index());
    const bool isTurret = SectionIsTurret();
    m_cmbTType->setEnabled(isTurret);
    m_cmbPosition->setEnabled(isTurret);
    m_lblFrontGun->setVisible(m_isNewTurret && !isTurret);
    m_cmbTType->setCurrentIndex(-1);
    m_cmbPosition->setCurrentIndex(-1);
    if (!m_turret) {
        m_boxes->clear();
        return;
    }
    for (int index = 0; index < kTurretFields; ++index)
        m_boxes->box(index)->setText(QString::number(m_turret->Value(index)));
    ShowComboValue(m_cmbPosition, m_turret->Position(), m_turret->PositionName());
    if (isTurret) {
        const int32_t type = m_turret->DescriptorValue(0);
        const auto cockpit = m_cockpits->FindIndex(type);
        ShowComboValue(m_cmbTType, type,
                       cockpit ? cockpit->Object->ObjectName() : QString::number(type));
    } else {
        m_cmbTType->setEditText(QString());
    }
}

std::optional<int32_t> frmTurretEdit::PositionValue() const {
    const QString text = m_cmbPosition->currentText();
    int32_t index = 0;
    std::optional<int32_t> position;
    if (mdlCommon::FindInArray(text, mdlZorvShips::TurretPositionNames, index))
        position = index;
    else
        position = WholeText(text);
    if (position && (*position < kFirstPosition || *position > kLastPosition))
        return std::nullopt;
    return position;
}

std::optional<int32_t> frmTurretEdit::TurretTypeValue() const {
    const QString text = m_cmbTType->currentText();
    const int selected = m_cmbTType->currentIndex();
    if (selected >= 0 && m_cmbTType->itemText(selected) == text)
        return m_cmbTType->itemData(selected).toInt();
    if (const std::optional<int32_t> number = WholeText(text))
        return number;
    for (int entry = m_cmbTType->count() - 1; entry >= 0; --entry)
        if (m_cmbTType->itemText(entry) == text)
            return m_cmbTType->itemData(entry).toInt();
    return std::nullopt;
}

std::optional<frmTurretEdit::Descriptor> frmTurretEdit::ReadDescriptor() {
    const std::optional<int32_t> position = PositionValue();
    if (!position) {
        m_prompts.tell(QStringLiteral("The position must be one of the listed positions or a "
                                      "number from 1 to 6."),
                       PromptIcon::Exclamation);
        return std::nullopt;
    }
    const std::optional<int32_t> type = TurretTypeValue();
    if (!type) {
        m_prompts.tell(QStringLiteral("Unknown turret type. Choose one from the list or enter "
                                      "its line number in the turret type table."),
                       PromptIcon::Exclamation);
        return std::nullopt;
    }
    return Descriptor{*type, *position};
}

bool frmTurretEdit::CheckPosition(int32_t wanted) {
    bool accepted = true;
    for (const auto& turret : m_ship->Turrets()) {
        if (turret == m_turret || turret->Position() != wanted)
            continue;
        if (m_isNewTurret) {
            m_prompts.tell(QStringLiteral("There already is gun turret with this position."));
            return false;
        }
        m_prompts.tell(QStringLiteral("There already is gun turret on this position."),
                       PromptIcon::Exclamation);
        accepted = false;
    }
    return accepted;
}

void frmTurretEdit::btnOK_Click() {
    const std::optional<QList<int32_t>> values = m_boxes->wholeNumbers(kFirstWritten);
    if (!values)
        return;
    std::optional<Descriptor> descriptor;
    if (SectionIsTurret()) {
        descriptor = ReadDescriptor();
        if (!descriptor)
            return;
    }
    if (!CheckPosition(descriptor ? descriptor->position : 0))
        return;
    try {
        Apply(*values, descriptor);
    } catch (const platform::ZorvError& error) {
        m_prompts.tell(error.description(), PromptIcon::Exclamation);
        return;
    }
    ModalResult = 1;
    accept();
}

void frmTurretEdit::Apply(const QList<int32_t>& values,
                          const std::optional<Descriptor>& descriptor) {
    const bool created = !m_turret;
    if (created)
        m_turret = m_ship->MakeNewTurret();
    try {
        for (int index = kFirstWritten; index < kTurretFields; ++index)
            m_turret->SetValue(index, values[index]);
        if (descriptor && m_turret->IsTurret()) {
            m_turret->SetDescriptorValue(0, descriptor->type);
            m_turret->SetDescriptorValue(1, descriptor->position);
        }
    } catch (const platform::ZorvError&) {
        // A section half written is no section the person asked for.
        if (created) {
            m_ship->RemoveTurret(*m_turret);
            m_turret.reset();
        }
        throw;
    }
}

void frmTurretEdit::btnCancel_Click() {
    ModalResult = 2;
    reject();
}
