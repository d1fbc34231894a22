// "New Object": the type and subtype of a map object being made. The caller
// makes the empty object (NewGalObject) and places it after OK; the dialog
// only writes "s" and then "t" into it.
#pragma once

#include "galaxy/clsGalaxyObject.h"
#include "platform/Prompts.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;
class clsGalaxyParser;

class frmNewGalObject : public QDialog {
    Q_OBJECT

public:
    explicit frmNewGalObject(QWidget* parent = nullptr);
    ~frmNewGalObject() override;

    // 1 after OK, 2 after Cancel.
    int32_t ModalResult = 2;

    // Shown modally (through platform::RunModal) unless modal is false.
    void NewSector(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object, bool modal = true,
                   QWidget* owner = nullptr);
    // restrict leaves out sectors, backgrounds and sub-object containers; a
    // sector is never offered inside another object.
    void NewObject(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object, bool restrict,
                   bool modal = true, QWidget* owner = nullptr);

    QComboBox* cmbType = nullptr;
    QComboBox* cmbSubtype = nullptr;
    QLineEdit* SubtypeEdit = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOK_Click();
    void btnCancel_Click();

private:
    const platform::WindowPrompts m_prompts{platform::kProgramTitle, this};
    void FillTypes(bool restrict);
    void BuildSubtypeChoice();
    void Open(bool modal, QWidget* owner);

    clsGalaxyParser* m_document = nullptr;
    clsGalaxyObject::Ptr m_object;
};
