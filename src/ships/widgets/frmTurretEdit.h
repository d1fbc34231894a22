// "Turret Edit": edits one turret section of a ship (its body and path IDs
// and, for a real turret, its turret type and position), or appends a new
// section on OK. Everything is checked before the section is created, and
// a write that still fails takes the new section away again.
#pragma once

#include "platform/Prompts.h"

#include <QDialog>
#include <QList>

#include <cstdint>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class ValueBoxes;
class clsCockpitParser;
class clsShip;
class clsTurret;

class frmTurretEdit : public QDialog {
    Q_OBJECT

public:
    explicit frmTurretEdit(QWidget* owner = nullptr);

    // 1 after OK, 2 after Cancel, 0 when closed otherwise.
    int32_t ModalResult = 0;

    // Shows the turret; returns when the dialog has closed.
    void ShowTurret(std::shared_ptr<clsTurret> turret, std::shared_ptr<clsShip> ship,
                    const clsCockpitParser& cockpits);
    // Empty boxes; OK appends a section. A ship's first section is its front
    // gun, which has no turret type or position: the dialog says so.
    void NewTurret(std::shared_ptr<clsShip> ship, const clsCockpitParser& cockpits);
    // The turret edited or created; nothing before a new one was created.
    std::shared_ptr<clsTurret> Turret() const { return m_turret; }

    const ValueBoxes& Boxes() const { return *m_boxes; }
    QComboBox* cmbTType() const { return m_cmbTType; }
    QComboBox* cmbPosition() const { return m_cmbPosition; }
    QLabel* lblFrontGun() const { return m_lblFrontGun; }

private slots:
    void btnOK_Click();
    void btnCancel_Click();

private:
    struct Descriptor {
        int32_t type = 0;
        int32_t position = 0;
    };

    void FillDialog();
    bool SectionIsTurret() const;
    // The position as a table name or number from 1 to 6.
    std::optional<int32_t> PositionValue() const;
    // The chosen entry's line, a typed number, or the line of the entry
    // named by the text.
    std::optional<int32_t> TurretTypeValue() const;
    std::optional<Descriptor> ReadDescriptor();
    bool CheckPosition(int32_t wanted);
    void Apply(const QList<int32_t>& values, const std::optional<Descriptor>& descriptor);

    // Its message boxes carry the program's title.
    const platform::WindowPrompts m_prompts;
    ValueBoxes* m_boxes = nullptr;
    QComboBox* m_cmbTType = nullptr;
    QComboBox* m_cmbPosition = nullptr;
    QLabel* m_lblFrontGun = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;

    std::shared_ptr<clsTurret> m_turret;
    std::shared_ptr<clsShip> m_ship;
    const clsCockpitParser* m_cockpits = nullptr;
    bool m_isNewTurret = false;
};
