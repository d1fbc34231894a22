#include "ships/widgets/frmGunEdit.h"

#include "platform/ZorvError.h"
#include "platform/widgets/DialogRunner.h"
#include "ships/clsGun.h"
#include "ships/clsGunGroup.h"
#include "ships/widgets/ValueBoxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kGunFields = 6;

} // namespace

frmGunEdit::frmGunEdit(QWidget* owner) : QDialog(owner), m_prompts(platform::kProgramTitle, this) {
    setObjectName(QStringLiteral("frmGunEdit"));
    setWindowTitle(QStringLiteral("Gun Edit"));
    auto* grid = new QGridLayout(this);
    m_boxes = new ValueBoxes(this, grid,
                             {QStringLiteral("Gun Index"), QStringLiteral("Count"),
                              QStringLiteral("Body ID (1)"), QStringLiteral("Path ID (1)"),
                              QStringLiteral("Body ID (2)"), QStringLiteral("Path ID (2)")},
                             1);
    QHBoxLayout* buttons = DialogButtons(this, m_btnOK, m_btnCancel);
    grid->addLayout(buttons, kGunFields, 0, 1, 2);
    connect(m_btnOK, &QPushButton::clicked, this, &frmGunEdit::btnOK_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmGunEdit::btnCancel_Click);
}

void frmGunEdit::ShowGun(std::shared_ptr<clsGun> gun, std::shared_ptr<clsGunGroup> group) {
    m_gun = std::move(gun);
    m_group = std::move(group);
    for (int index = 0; index < kGunFields; ++index)
        m_boxes->box(index)->setText(QString::number(m_gun->Value(index)));
    platform::RunModal(*this);
}

void frmGunEdit::NewGun(std::shared_ptr<clsGunGroup> group) {
    m_gun.reset();
    m_group = std::move(group);
    m_boxes->clear();
    platform::RunModal(*this);
}

void frmGunEdit::btnOK_Click() {
    const std::optional<QList<int32_t>> values = m_boxes->wholeNumbers(1);
    if (!values)
        return;
    try {
        if (!m_gun)
            m_gun = m_group->MakeNewGun();
        for (int index = 1; index < kGunFields; ++index)
            m_gun->SetValue(index, (*values)[index]);
        m_group->RefreshGunCount();
    } catch (const platform::ZorvError& error) {
        m_prompts.tell(error.description(), platform::PromptIcon::Exclamation);
        return;
    }
    ModalResult = 1;
    accept();
}

void frmGunEdit::btnCancel_Click() {
    ModalResult = 2;
    reject();
}
