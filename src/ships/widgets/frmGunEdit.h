// "Gun Edit": edits one gun of a gun group, or appends a new one to the
// group on OK. Every box is checked before anything is created or written,
// so a refused OK leaves the ship as it was.
#pragma once

#include "platform/Prompts.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class QPushButton;
class ValueBoxes;
class clsGun;
class clsGunGroup;

class frmGunEdit : public QDialog {
    Q_OBJECT

public:
    explicit frmGunEdit(QWidget* owner = nullptr);

    // 1 after OK, 2 after Cancel, 0 when closed otherwise.
    int32_t ModalResult = 0;

    // Shows the gun's six fields; returns when the dialog has closed.
    void ShowGun(std::shared_ptr<clsGun> gun, std::shared_ptr<clsGunGroup> group);
    // Empty boxes; OK appends the gun to the group.
    void NewGun(std::shared_ptr<clsGunGroup> group);
    // The gun edited or created; nothing before a new one was created.
    std::shared_ptr<clsGun> Gun() const { return m_gun; }

    const ValueBoxes& Boxes() const { return *m_boxes; }

private slots:
    void btnOK_Click();
    void btnCancel_Click();

private:
    // Its message boxes carry the program's title.
    const platform::WindowPrompts m_prompts;
    ValueBoxes* m_boxes = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    std::shared_ptr<clsGun> m_gun;
    std::shared_ptr<clsGunGroup> m_group;
};
