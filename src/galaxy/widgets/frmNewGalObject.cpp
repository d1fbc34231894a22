#include "galaxy/widgets/frmNewGalObject.h"

#include "galaxy/MapNumber.h"
#include "galaxy/clsGalaxyParser.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "platform/widgets/DialogRunner.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int32_t kSectorType = 1;
constexpr int32_t kBackgroundType = 2;
constexpr int32_t kSubObjectsType = 23;

int32_t SelectedData(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

} // namespace

frmNewGalObject::frmNewGalObject(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("New Object"));
    setObjectName(QStringLiteral("frmNewGalObject"));
    cmbType = new QComboBox(this);
    cmbType->setObjectName(QStringLiteral("cmbType"));
    cmbSubtype = new QComboBox(this);
    cmbSubtype->setObjectName(QStringLiteral("cmbSubtype"));
    SubtypeEdit = new QLineEdit(this);
    SubtypeEdit->setObjectName(QStringLiteral("SubtypeEdit"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnOK->setDefault(true);

    auto* subtype = new QWidget(this);
    auto* subtypeLayout = new QVBoxLayout(subtype);
    subtypeLayout->setContentsMargins(0, 0, 0, 0);
    subtypeLayout->addWidget(cmbSubtype);
    subtypeLayout->addWidget(SubtypeEdit);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Type"), cmbType);
    form->addRow(QStringLiteral("Subtype"), subtype);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(buttons);
    resize(360, 130);

    connect(btnOK, &QPushButton::clicked, this, &frmNewGalObject::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmNewGalObject::btnCancel_Click);
    connect(cmbType, &QComboBox::activated, this, [this] { BuildSubtypeChoice(); });
}

frmNewGalObject::~frmNewGalObject() = default;

void frmNewGalObject::NewSector(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                                bool modal, QWidget* owner) {
    m_document = &document;
    m_object = object;
    FillTypes(false);
    cmbType->setCurrentIndex(cmbType->findData(kSectorType));
    cmbType->setEnabled(false);
    BuildSubtypeChoice();
    Open(modal, owner);
}

void frmNewGalObject::NewObject(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                                bool restrict, bool modal, QWidget* owner) {
    m_document = &document;
    m_object = object;
    cmbType->setEnabled(true);
    FillTypes(restrict);
    cmbType->setCurrentIndex(-1);
    BuildSubtypeChoice();
    Open(modal, owner);
}

void frmNewGalObject::FillTypes(bool restrict) {
    const auto& names = mdlZorvGalaxy::GalObjectTypeNames;
    // A sector is never placed inside another object.
    const bool nested = !m_object || !m_object->Parent.expired();
    cmbType->clear();
    for (int32_t type = names.lower(); type <= names.upper(); ++type) {
        const bool containerType =
            type == kSectorType || type == kBackgroundType || type == kSubObjectsType;
        if ((restrict && containerType) || (nested && type == kSectorType))
            continue;
        cmbType->addItem(names[type], type);
    }
}

void frmNewGalObject::BuildSubtypeChoice() {
    const int32_t type = SelectedData(cmbType);
    QStringList names;
    QStringList ids;
    if (type == kSubObjectsType) {
        for (const QString& name : mdlZorvGalaxy::GalSubObjectNames)
            names.append(name);
    } else if (type >= 0 && m_document) {
        names = m_document->GetSubTypeNames(type, clsGalaxyParser::kRecordName);
        ids = m_document->GetSubTypeNames(type, clsGalaxyParser::kRecordID);
    }
    cmbSubtype->clear();
    SubtypeEdit->clear();
    const bool list = !names.isEmpty();
    cmbSubtype->setVisible(list);
    SubtypeEdit->setVisible(!list);
    if (!list)
        return;
    const int32_t first = type == kSubObjectsType ? mdlZorvGalaxy::GalSubObjectNames.lower() : 0;
    for (int i = 0; i < names.size(); ++i) {
        QString text = names[i];
        if (i < ids.size()) {
            text = ids[i];
            if (names[i] != ids[i])
                text += QStringLiteral(" - ") + names[i];
        }
        cmbSubtype->addItem(text, first + i);
    }
    cmbSubtype->setCurrentIndex(-1);
    int widest = cmbSubtype->width();
    const QFontMetrics metrics(cmbSubtype->font());
    for (int i = 0; i < cmbSubtype->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(cmbSubtype->itemText(i)) + 24);
    mdlComFunctions::SendControlMessage(cmbSubtype, widest);
}

void frmNewGalObject::Open(bool modal, QWidget* owner) {
    ModalResult = 2;
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags());
    if (modal) {
        setModal(true);
        platform::RunModal(*this);
    } else {
        show();
    }
}

void frmNewGalObject::btnOK_Click() {
    if (cmbType->currentIndex() < 0) {
        m_prompts.tell(QStringLiteral("You must select object type."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    bool hasSubtype = false;
    int32_t subtype = 0;
    if (cmbSubtype->isVisibleTo(this)) {
        if (cmbSubtype->currentIndex() < 0) {
            m_prompts.tell(QStringLiteral("You must select object subtype."),
                           platform::PromptIcon::Exclamation);
            return;
        }
        subtype = cmbSubtype->currentData().toInt();
        hasSubtype = true;
    } else if (!SubtypeEdit->text().isEmpty()) {
        if (mapnumber::Read(SubtypeEdit->text(), subtype) != mapnumber::Result::Number) {
            m_prompts.tell(QStringLiteral("Subtype must be numeric or empty value."),
                           platform::PromptIcon::Exclamation);
            return;
        }
        hasSubtype = true;
    }
    if (m_object) {
        if (hasSubtype)
            m_object->Setsubtype(subtype);
        m_object->Setotype(SelectedData(cmbType));
    }
    ModalResult = 1;
    accept();
}

void frmNewGalObject::btnCancel_Click() {
    ModalResult = 2;
    reject();
}
