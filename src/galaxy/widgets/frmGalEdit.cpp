#include "galaxy/widgets/frmGalEdit.h"

#include "common/widgets/mdlCommonWidgets.h"
#include "galaxy/clsGalaxyParser.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "platform/Prompts.h"
#include "platform/widgets/DialogRunner.h"
#include "shell/mdlComFunctions.h"
#include "shell/mdlZorvConst.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using GalValueText::Mode;

constexpr int32_t kSectorType = 1;

// The buttons are named after the group's member: rbLen0, rbLen1 ...
QGroupBox* OptionGroup(QWidget* parent, const QString& name, const QString& buttonName,
                       const QStringList& captions, QRadioButton** buttons) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(name);
    auto* layout = new QHBoxLayout(group);
    for (int i = 0; i < captions.size(); ++i) {
        buttons[i] = new QRadioButton(captions[i], group);
        buttons[i]->setObjectName(buttonName + QString::number(i));
        layout->addWidget(buttons[i]);
    }
    return group;
}

int32_t CheckedIndex(const QRadioButton* const* buttons, int count) {
    for (int i = 0; i < count; ++i) {
        if (buttons[i]->isChecked())
            return i;
    }
    return 0;
}

QString Lower(const QString& name) {
    return name.toLower();
}

} // namespace

frmGalEdit::frmGalEdit(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Value Edit"));
    setObjectName(QStringLiteral("frmGalEdit"));
    PropNameEdit = new QLineEdit(this);
    PropNameEdit->setObjectName(QStringLiteral("PropNameEdit"));
    PropNameEdit->setReadOnly(true);
    cmbPropNames = new QComboBox(this);
    cmbPropNames->setObjectName(QStringLiteral("cmbPropNames"));
    ValEdit = new QLineEdit(this);
    ValEdit->setObjectName(QStringLiteral("ValEdit"));
    ValEdit->installEventFilter(this);
    cmbValue = new QComboBox(this);
    cmbValue->setObjectName(QStringLiteral("cmbValue"));
    ColorPreview = new QLabel(this);
    ColorPreview->setObjectName(QStringLiteral("ColorPreview"));
    ColorPreview->setFixedSize(24, 24);
    ColorPreview->setFrameShape(QFrame::Box);
    ColorPreview->setAutoFillBackground(true);
    btnColorBrowse = new QPushButton(QStringLiteral("..."), this);
    btnColorBrowse->setObjectName(QStringLiteral("btnColorBrowse"));
    btnColorBrowse->setFixedWidth(32);
    NameGroup = OptionGroup(this, QStringLiteral("NameGroup"), QStringLiteral("rbName"),
                            {QStringLiteral("Name"), QStringLiteral("ID")}, rbName.data());
    LenGroup = OptionGroup(
        this, QStringLiteral("LenGroup"), QStringLiteral("rbLen"),
        {QStringLiteral("Meters"), QStringLiteral("Game units"), QStringLiteral("Miles")},
        rbLen.data());
    FormatGroup = OptionGroup(this, QStringLiteral("FormatGroup"), QStringLiteral("rbFormat"),
                              {QStringLiteral("Decadic"), QStringLiteral("Hexa")}, rbFormat.data());
    rbName[1]->setChecked(true);
    rbLen[GalValueText::Meters]->setChecked(true);
    rbFormat[1]->setChecked(true);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnOK->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Property name"), this), 0, 0);
    grid->addWidget(PropNameEdit, 0, 1, 1, 3);
    grid->addWidget(cmbPropNames, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Value"), this), 1, 0);
    grid->addWidget(ValEdit, 1, 1);
    grid->addWidget(cmbValue, 1, 1);
    grid->addWidget(ColorPreview, 1, 2);
    grid->addWidget(btnColorBrowse, 1, 3);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(NameGroup);
    layout->addWidget(LenGroup);
    layout->addWidget(FormatGroup);
    layout->addStretch();
    layout->addWidget(buttons);
    resize(380, 170);

    connect(btnOK, &QPushButton::clicked, this, &frmGalEdit::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmGalEdit::btnCancel_Click);
    connect(btnColorBrowse, &QPushButton::clicked, this, &frmGalEdit::btnColorBrowse_Click);
    connect(cmbPropNames, &QComboBox::activated, this, &frmGalEdit::PropNameChosen);
    connect(ValEdit, &QLineEdit::textEdited, this, &frmGalEdit::ColorTyped);
    for (QRadioButton* button : rbName) {
        connect(button, &QRadioButton::clicked, this, [this] {
            m_names = rbName[0]->isChecked();
            PrepareEditor(true);
        });
    }
    for (QRadioButton* button : rbLen)
        connect(button, &QRadioButton::clicked, this, &frmGalEdit::UnitChanged);
    for (QRadioButton* button : rbFormat)
        connect(button, &QRadioButton::clicked, this, &frmGalEdit::FormatChanged);
}

frmGalEdit::~frmGalEdit() = default;

void frmGalEdit::NewProperty(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                             const std::shared_ptr<clsProperty>& property, bool modal,
                             QWidget* owner) {
    const auto& names = mdlZorvGalaxy::GalAttrNames;
    cmbPropNames->clear();
    for (int32_t i = names.lower(); i <= names.upper(); ++i) {
        if (!object->Property(names[i]))
            cmbPropNames->addItem(mdlZorvGalaxy::GalAttrCaptions[i], i);
    }
    cmbPropNames->setCurrentIndex(-1);
    cmbPropNames->show();
    PropNameEdit->hide();
    m_newProperty = true;
    m_document = &document;
    m_object = object;
    m_property = property;
    Open(modal, owner);
}

void frmGalEdit::ShowProperty(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                              const std::shared_ptr<clsProperty>& property, bool modal,
                              QWidget* owner) {
    m_newProperty = false;
    cmbPropNames->hide();
    PropNameEdit->show();
    QString caption;
    const auto& names = mdlZorvGalaxy::GalAttrNames;
    for (int32_t i = names.lower(); i <= names.upper(); ++i) {
        if (names[i] == property->Name)
            caption = mdlZorvGalaxy::GalAttrCaptions[i];
    }
    PropNameEdit->setText(caption);
    m_document = &document;
    m_object = object;
    m_property = property;
    Open(modal, owner);
}

void frmGalEdit::Open(bool modal, QWidget* owner) {
    ModalResult = 2;
    m_work = m_property->Clone();
    m_names = rbName[0]->isChecked();
    m_unit = CheckedIndex(rbLen.data(), static_cast<int>(rbLen.size()));
    m_hexa = rbFormat[1]->isChecked();
    PrepareEditor(false);
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags());
    // The keys go to what the dialog reads: the name of a new attribute
    // first, else the value (the name box of an attribute is never read).
    if (m_newProperty)
        cmbPropNames->setFocus();
    else if (m_mode == Mode::List)
        cmbValue->setFocus();
    else
        ValEdit->setFocus();
    if (modal) {
        setModal(true);
        platform::RunModal(*this);
    } else {
        show();
    }
}

bool frmGalEdit::SectorCoordinate() const {
    return GalValueText::IsSectorCoordinate(m_work->Name, m_object ? m_object->otype() : 0);
}

void frmGalEdit::PrepareEditor(bool keepSelection) {
    const QString name = Lower(m_work->Name);
    const int32_t type = m_object ? m_object->otype() : 0;
    m_list = {};
    m_mode = GalValueText::ModeOf(name, type);
    if (m_mode == Mode::List) {
        if (name == QLatin1String("r")) {
            m_list = mdlZorvConst::RaceNames;
        } else if (name == QLatin1String("t")) {
            m_list = mdlZorvGalaxy::GalObjectTypeNames;
        } else if (name == QLatin1String("gid") || name == QLatin1String("gtid")) {
            m_list = mdlZorvGalaxy::GateIDNames;
        } else if (name == QLatin1String("atype")) {
            m_list = mdlZorvGalaxy::AsteroidTypeNames;
        } else if (type == 23) {
            m_list = mdlZorvGalaxy::GalSubObjectNames;
        } else if (m_document) {
            const QStringList records = m_document->GetSubTypeNames(
                type, m_names ? clsGalaxyParser::kRecordName : clsGalaxyParser::kRecordID);
            m_list = platform::BoundedArray<QString>(
                0, std::vector<QString>(records.begin(), records.end()));
            m_mode = GalValueText::ModeOf(name, type, m_list.isEmpty());
        }
    }
    const int remembered = cmbValue->currentIndex();
    cmbValue->clear();
    if (m_mode == Mode::List) {
        mdlCommon::FillComboFromArray(cmbValue, m_list);
        if (keepSelection)
            cmbValue->setCurrentIndex(remembered < cmbValue->count() ? remembered : -1);
        else
            mdlComFunctions::SelectComboItemByData(cmbValue, m_work->Value);
    } else {
        ShowValue();
    }
    LayoutForMode();
}

void frmGalEdit::LayoutForMode() {
    btnColorBrowse->setVisible(m_mode == Mode::Color);
    ColorPreview->setVisible(m_mode == Mode::Color);
    NameGroup->setVisible(m_mode == Mode::List);
    LenGroup->setVisible(m_mode == Mode::Length);
    FormatGroup->setVisible(m_mode == Mode::Angle);
    cmbValue->setVisible(m_mode == Mode::List);
    ValEdit->setVisible(m_mode != Mode::List);
    if (m_mode == Mode::Color)
        ColorTyped();
}

void frmGalEdit::ShowValue() {
    m_shownText = GalValueText::EditText(m_mode, SectorCoordinate(), m_work->Value, m_unit, m_hexa);
    ValEdit->setText(m_shownText);
}

bool frmGalEdit::ReadValue(QString& error) {
    error.clear();
    if (ValEdit->text() == m_shownText)
        return true;
    int32_t value = m_work->Value;
    const bool read =
        GalValueText::ReadEditText(m_mode, m_work->Name, m_object ? m_object->otype() : 0, m_unit,
                                   m_hexa, ValEdit->text(), value, error);
    if (read || !error.isEmpty())
        m_work->Value = value;
    return read;
}

void frmGalEdit::UnitChanged() {
    QString error;
    if (!ReadValue(error))
        m_work->Value = 0;
    m_unit = CheckedIndex(rbLen.data(), static_cast<int>(rbLen.size()));
    ShowValue();
}

void frmGalEdit::FormatChanged() {
    QString error;
    if (!ReadValue(error))
        m_work->Value = 0;
    m_hexa = rbFormat[1]->isChecked();
    ShowValue();
}

void frmGalEdit::PropNameChosen() {
    if (cmbPropNames->currentIndex() < 0)
        return;
    m_work->Name = mdlZorvGalaxy::GalAttrNames[cmbPropNames->currentData().toInt()];
    PrepareEditor(false);
}

void frmGalEdit::ColorTyped() {
    if (m_mode != Mode::Color || !mdlComFunctions::IsHexText(ValEdit->text()))
        return;
    QPalette palette = ColorPreview->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(
                                           mdlComFunctions::HexToLong(ValEdit->text()))));
    ColorPreview->setPalette(palette);
}

bool frmGalEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ValEdit && event->type() == QEvent::FocusIn)
        mdlComFunctions::SelectAllText(ValEdit, false);
    return QDialog::eventFilter(watched, event);
}

void frmGalEdit::btnColorBrowse_Click() {
    const auto chosen =
        platform::prompts().chooseColor(this, mdlComFunctions::HexToLong(ValEdit->text()));
    if (!chosen)
        return;
    ValEdit->setText(mdlComFunctions::ColorToHex(*chosen & 0xFFFFFF, 6));
    ColorTyped();
}

void frmGalEdit::btnOK_Click() {
    const int32_t before = m_property->Value;
    if (m_mode != Mode::List) {
        QString error;
        if (!ReadValue(error)) {
            m_prompts.tell(error.isEmpty() ? QStringLiteral("Entered value is invalid.") : error,
                           platform::PromptIcon::Exclamation);
            return;
        }
    } else {
        const bool selected = cmbValue->currentIndex() >= 0;
        m_work->Value = selected ? cmbValue->currentData().toInt() : -1;
        if (!selected) {
            m_prompts.tell(QStringLiteral("You must select value from the list."),
                           platform::PromptIcon::Exclamation);
            return;
        }
        if (Lower(m_work->Name) == QLatin1String("t") && m_work->Value == kSectorType &&
            before != kSectorType) {
            m_prompts.tell(
                QStringLiteral("You cannot change type of non sector object to \"sector\"."),
                platform::PromptIcon::Exclamation);
            return;
        }
    }
    if (m_newProperty) {
        if (cmbPropNames->currentIndex() < 0) {
            m_prompts.tell(QStringLiteral("You must select property name."),
                           platform::PromptIcon::Exclamation);
            return;
        }
        m_work->Name = mdlZorvGalaxy::GalAttrNames[cmbPropNames->currentData().toInt()];
    }
    // An attribute of the object marks it dirty on any write, so an
    // unchanged one is not written at all.
    const bool changed = m_work->Name != m_property->Name || m_work->Value != before;
    if (changed)
        m_work->CopyTo(*m_property);
    if (m_object && m_property->Value != before)
        m_object->Dirty = true;
    ModalResult = 1;
    accept();
}

void frmGalEdit::btnCancel_Click() {
    ModalResult = 2;
    reject();
}
