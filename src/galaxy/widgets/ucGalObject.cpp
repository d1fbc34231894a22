#include "galaxy/widgets/ucGalObject.h"

#include "common/mdlCommonGlobals.h"
#include "common/widgets/mdlCommonWidgets.h"
#include "galaxy/GalaxyDocument.h"
#include "galaxy/mdlZorvGalaxy.h"
#include "galaxy/widgets/frmGalEdit.h"
#include "ships/widgets/ucShip.h"
#include "tfiles/clsArchive.h"
#include "tfiles/widgets/EditingPanel.h"
#include "tfiles/widgets/ucWare.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int32_t kSectorType = 1;
constexpr int32_t kShipType = 7;
constexpr int kRecordTab = 2;

const QString kOptionsKey = QStringLiteral("GalObjectEditor");

QTreeWidget* ValueList(QWidget* parent, const QString& name) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(0, 170);
    return list;
}

template <size_t N>
QGroupBox* OptionFrame(QWidget* parent, const QStringList& captions, const QStringList& tips,
                       const QString& name, std::array<QRadioButton*, N>& buttons) {
    auto* frame = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    for (size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(captions[static_cast<int>(i)], frame);
        buttons[i]->setObjectName(name + QString::number(i));
        if (static_cast<int>(i) < tips.size())
            buttons[i]->setToolTip(tips[static_cast<int>(i)]);
        layout->addWidget(buttons[i]);
    }
    return frame;
}

// Types whose record the ware panel shows; the ship panel shows type 7.
bool IsWareType(int32_t type) {
    return type == 5 || type == 6 || type == 8 || (type >= 10 && type <= 16);
}

void FillList(QTreeWidget* list, const QList<mdlCommon::ListRow>& rows) {
    const int selected = mdlCommon::GetSelectedIndex(list);
    list->setUpdatesEnabled(false);
    list->clear();
    for (const auto& row : rows)
        mdlCommon::AddListRow(list, row.caption, row.value, row.tag);
    list->setUpdatesEnabled(true);
    if (!mdlCommon::SelectListIndex(list, selected))
        mdlCommon::SelectListIndex(list, 1);
}

} // namespace

ucGalObject::ucGalObject(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ucGalObject"));
    MainTab = new QTabWidget(this);
    MainTab->setObjectName(QStringLiteral("MainTab"));
    RawView = ValueList(this, QStringLiteral("RawView"));
    PropView = ValueList(this, QStringLiteral("PropView"));

    auto* info = new QWidget(this);
    auto* infoLayout = new QVBoxLayout(info);
    infoLayout->addWidget(PropView, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(OptionFrame(
        info, {QStringLiteral("Name"), QStringLiteral("ID")},
        {QStringLiteral("Show names of objects"), QStringLiteral("Show IDs of objects")},
        QStringLiteral("rbName"), rbName));
    options->addWidget(OptionFrame(
        info, {QStringLiteral("Meters"), QStringLiteral("Game units"), QStringLiteral("Miles")}, {},
        QStringLiteral("rbDistUnits"), rbDistUnits));
    options->addWidget(OptionFrame(info, {QStringLiteral("Hexa"), QStringLiteral("Decadic")},
                                   {QStringLiteral("Show numbers in hexadecimal format"),
                                    QStringLiteral("Show numbers in decadic format")},
                                   QStringLiteral("rbHexa"), rbHexa));
    options->addStretch();
    infoLayout->addLayout(options);

    m_recordHost = new QWidget(this);
    m_recordHost->setObjectName(QStringLiteral("RecordHost"));
    auto* recordLayout = new QVBoxLayout(m_recordHost);
    recordLayout->setContentsMargins(0, 0, 0, 0);

    MainTab->addTab(RawView, QStringLiteral("Raw data"));
    MainTab->addTab(info, QStringLiteral("Object info"));
    MainTab->addTab(m_recordHost, QString());
    MainTab->setCurrentIndex(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MainTab);

    mnuProp = new QMenu(this);
    mnuPropEdit = mnuProp->addAction(QStringLiteral("Edit"), this, &ucGalObject::EditProperty);
    mnuProp->addSeparator();
    mnuPropAdd =
        mnuProp->addAction(QStringLiteral("Add property..."), this, &ucGalObject::AddProperty);
    mnuPropDelete = mnuProp->addAction(QStringLiteral("Remove property..."), this,
                                       &ucGalObject::DeleteProperty);
    mnuProp->addSeparator();
    mnuPropAddCoords =
        mnuProp->addAction(QStringLiteral("Add coordinates"), this, &ucGalObject::AddCoordinates);
    mnuPropRemoveCoords = mnuProp->addAction(QStringLiteral("Remove coordinates..."), this,
                                             &ucGalObject::RemoveCoordinates);
    mnuProp->setDefaultAction(mnuPropEdit);

    PropView->setContextMenuPolicy(Qt::CustomContextMenu);
    PropView->installEventFilter(this);
    connect(PropView, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        UpdateMenu();
        mnuProp->popup(PropView->viewport()->mapToGlobal(point));
    });
    connect(PropView, &QTreeWidget::itemDoubleClicked, this, &ucGalObject::EditProperty);
    for (auto* button : rbName)
        connect(button, &QRadioButton::clicked, this, &ucGalObject::ReadOptions);
    for (auto* button : rbDistUnits)
        connect(button, &QRadioButton::clicked, this, &ucGalObject::ReadOptions);
    for (auto* button : rbHexa)
        connect(button, &QRadioButton::clicked, this, &ucGalObject::ReadOptions);
    ApplyOptions(true, 0, true);
}

ucGalObject::~ucGalObject() = default;

void ucGalObject::Init() {
    m_panels = PanelClaims::CreatePanels(m_recordHost);
    for (EditingPanel* panel : m_panels) {
        m_recordHost->layout()->addWidget(panel);
        panel->hide();
        // A record shared by every window of the program is only looked at here.
        if (auto* ware = qobject_cast<ucWare*>(panel))
            ware->SetReadOnly(true);
        else if (auto* ship = qobject_cast<ucShip*>(panel))
            ship->SetReadOnly(true);
    }
    const platform::RegKey key = mdlCommon::Settings().OpenRootHandleUserGE().openKey(kOptionsKey);
    const auto stored = [&key](const char* name, int32_t fallback) {
        return key.isValid() ? key.number(QString::fromLatin1(name)).value_or(fallback) : fallback;
    };
    ApplyOptions(stored("Name", 1) != 0, stored("Units", 0), stored("Hexa", 1) != 0);
}

void ucGalObject::Term() {
    const platform::RegKey key =
        mdlCommon::Settings().OpenRootHandleUserGE().createKey(kOptionsKey);
    if (!key.isValid())
        return;
    key.setNumber(QStringLiteral("Name"), m_options.names ? 1 : 0);
    key.setNumber(QStringLiteral("Units"), m_options.unit);
    key.setNumber(QStringLiteral("Hexa"), m_options.hexa ? 1 : 0);
}

void ucGalObject::ApplyOptions(bool names, int32_t unit, bool hexa) {
    rbName[names ? 0 : 1]->setChecked(true);
    rbDistUnits[unit >= 0 && unit < 3 ? unit : 0]->setChecked(true);
    rbHexa[hexa ? 0 : 1]->setChecked(true);
    ReadOptions();
}

void ucGalObject::ReadOptions() {
    m_options.names = rbName[0]->isChecked();
    m_options.unit = rbDistUnits[2]->isChecked() ? 2 : rbDistUnits[1]->isChecked() ? 1 : 0;
    m_options.hexa = rbHexa[0]->isChecked();
    FillPropertyList();
}

void ucGalObject::ShowObject(GalaxyDocument* document, const clsGalaxyObject::Ptr& object) {
    m_document = document;
    m_object = document ? object : nullptr;
    ChooseRecordPanel();
    MainTab->setTabText(1, m_object ? m_object->ObjectTypeName() + QStringLiteral(" info")
                                    : QStringLiteral("Object info"));
    FillRawList();
    FillPropertyList();
    ShowRecord();
}

void ucGalObject::FillRawList() {
    FillList(RawView, m_object ? GalPropertyRows::RawRows(*m_object) : QList<mdlCommon::ListRow>());
}

void ucGalObject::FillPropertyList() {
    if (!m_object || !m_document) {
        PropView->clear();
        return;
    }
    FillList(PropView, GalPropertyRows::PropertyRows(*m_document->parser(), m_object, m_options));
}

void ucGalObject::ChooseRecordPanel() {
    m_recordPanel = nullptr;
    const int32_t type = m_object ? m_object->otype() : 0;
    if (IsWareType(type) || type == kShipType) {
        int32_t kind = 0;
        m_recordPanel = PanelClaims::Claim(m_panels, mdlZorvGalaxy::GalTypeTFiles[type], kind);
    }
    for (EditingPanel* panel : m_panels)
        panel->setVisible(panel == m_recordPanel);
    MainTab->setTabEnabled(kRecordTab, m_recordPanel != nullptr);
    if (!m_recordPanel)
        MainTab->setTabText(kRecordTab, QString());
}

void ucGalObject::ShowRecord() {
    if (!m_recordPanel)
        return;
    const int32_t type = m_object->otype();
    const auto table = Archive().GetFile(mdlZorvGalaxy::GalTypeTFiles[type]);
    if (!table)
        return;
    const auto record = table->FindIndex(m_object->subtype());
    MainTab->setTabText(kRecordTab, record ? record->ObjectName() : QString());
    if (!record || !HandShipTable(table)) {
        m_recordPanel->hide();
        return;
    }
    // The record belongs to the shared T-file cache: its kind goes to the
    // panel as an argument, the record itself stays untouched.
    m_recordPanel->ShowObject(record, mdlZorvGalaxy::GalTypeTFileKinds[type]);
}

// The ship panel finds a record among the ships of the table it was given,
// so it is given the table the record comes from.
bool ucGalObject::HandShipTable(const std::shared_ptr<clsTxtParser>& table) {
    auto* ship = qobject_cast<ucShip*>(m_recordPanel);
    if (!ship)
        return true;
    if (table != m_shipTable) {
        m_shipTable = table;
        m_shipTableLoaded = ship->InitTable(*table);
    }
    return m_shipTableLoaded;
}

std::shared_ptr<clsProperty> ucGalObject::CurrentProperty() const {
    if (!m_object)
        return nullptr;
    const QTreeWidgetItem* row = PropView->currentItem();
    if (!row || !row->isSelected())
        return nullptr;
    const QVariant tag = row->data(0, mdlCommon::kRowTagRole);
    return tag.isValid() ? m_object->Property(tag.toString()) : nullptr;
}

void ucGalObject::UpdateMenu() {
    mnuPropEdit->setEnabled(CurrentProperty() != nullptr);
    mnuPropAdd->setEnabled(m_object != nullptr);
    mnuPropDelete->setEnabled(m_object != nullptr);
    int coordinates = 0;
    for (const char* name : {"x", "y", "z"})
        coordinates += m_object && m_object->Property(QString::fromLatin1(name)) ? 1 : 0;
    mnuPropAddCoords->setEnabled(m_object && coordinates < 3);
    mnuPropRemoveCoords->setEnabled(m_object && coordinates > 0);
}

void ucGalObject::Changed(bool refillRaw) {
    if (refillRaw)
        FillRawList();
    FillPropertyList();
    emit OnObjectChanged(m_object);
}

bool ucGalObject::Refused(bool done) {
    if (!done)
        m_prompts.tell(m_document->LastError(), platform::PromptIcon::Exclamation);
    return !done;
}

void ucGalObject::EditProperty() {
    const auto current = CurrentProperty();
    if (!m_object || !current || !m_document)
        return;
    if (m_object->otype() == kSectorType && current->Name.compare(QLatin1String("t")) == 0) {
        m_prompts.tell(QStringLiteral("You cannot change type of object \"sector\"."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    const auto edited = current->Clone();
    frmGalEdit dialog(window());
    dialog.ShowProperty(*m_document->parser(), m_object, edited);
    if (dialog.ModalResult != 1 ||
        Refused(m_document->SetProperty(m_object, edited->Name, edited->Value)))
        return;
    Changed(true);
}

void ucGalObject::AddProperty() {
    if (!m_object || !m_document)
        return;
    const auto added = std::make_shared<clsProperty>();
    frmGalEdit dialog(window());
    dialog.NewProperty(*m_document->parser(), m_object, added);
    if (dialog.ModalResult != 1 ||
        Refused(m_document->SetProperty(m_object, added->Name, added->Value)))
        return;
    Changed(true);
}

void ucGalObject::DeleteProperty() {
    const auto current = CurrentProperty();
    if (!current || !m_document)
        return;
    const QString question = QStringLiteral("Do you really want to delete property \"") +
                             GalPropertyRows::Caption(current->Name) + QStringLiteral("\" ?");
    if (!m_prompts.confirm(question, platform::PromptIcon::Question))
        return;
    if (Refused(m_document->RemoveProperty(m_object, current->Name)))
        return;
    Changed(true);
}

void ucGalObject::AddCoordinates() {
    if (!m_object || !m_document || Refused(m_document->AddCoordinates(m_object)))
        return;
    Changed(true);
}

void ucGalObject::RemoveCoordinates() {
    if (!m_object || !m_document)
        return;
    if (!m_prompts.confirm(QStringLiteral("Do you really want to remove coordinates from this "
                                          "object?"),
                           platform::PromptIcon::Question))
        return;
    if (Refused(m_document->RemoveCoordinates(m_object)))
        return;
    Changed(true);
}

void ucGalObject::CopyValue() {
    const QTreeWidgetItem* row = PropView->currentItem();
    if (!row || !row->isSelected())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(row->text(1));
}

bool ucGalObject::eventFilter(QObject* watched, QEvent* event) {
    if (watched != PropView || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool control = key->modifiers() & Qt::ControlModifier;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EditProperty();
        return true;
    case Qt::Key_Insert:
        if (control)
            CopyValue();
        else
            AddProperty();
        return true;
    case Qt::Key_Delete:
        DeleteProperty();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
