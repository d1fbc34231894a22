#include "ships/widgets/ucShip.h"

#include "common/mdlCommon.h"
#include "common/widgets/Viewer.h"
#include "common/widgets/mdlCommonWidgets.h"
#include "platform/widgets/ChosenRow.h"
#include "resources/clsDescServer.h"
#include "shell/mdlComFunctions.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"
#include "ships/clsGun.h"
#include "ships/clsGunGroup.h"
#include "ships/clsTurret.h"
#include "ships/widgets/LaserPage.h"
#include "ships/widgets/ShipLists.h"
#include "ships/widgets/frmGunEdit.h"
#include "ships/widgets/frmTurretEdit.h"
#include "tfiles/TxtValue.h"
#include "tfiles/clsArchive.h"
#include "tfiles/mdlZorvShips.h"
#include "tfiles/widgets/frmEdit.h"

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <initializer_list>

namespace {

using namespace ShipValues;
using namespace ShipLists;
using platform::PromptIcon;

constexpr int32_t kShipKind = 1;
constexpr int32_t kNamePage = 17;
constexpr int32_t kScriptIDBase = 0x70000;
constexpr int32_t kDescriptorTurrets = 6;
const QString kNameTag = QStringLiteral("name");

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A model value with its text: "rear (2)", else the number.
QString Shown(bool translated, const QString& text, int32_t value) {
    return translated ? text + QStringLiteral(" (%1)").arg(value) : QString::number(value);
}

std::shared_ptr<clsTxtParser> TableOrEmpty(const QString& name) {
    std::shared_ptr<clsTxtParser> table = Archive().GetFile(name);
    return table ? table : std::make_shared<clsTxtParser>();
}

} // namespace

ucShip::ucShip(QWidget* parent)
    : EditingPanel(parent), m_prompts(platform::kProgramTitle, this), m_ship(clsShip::Create()),
      m_ships(std::make_unique<clsShipParser>()), m_lasers(std::make_shared<clsTxtParser>()),
      m_shields(std::make_shared<clsTxtParser>()), m_missiles(std::make_shared<clsTxtParser>()) {
    setObjectName(QStringLiteral("ShipEdit"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("MainToolbar"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(m_toolbar);
    m_mainTab = new QTabWidget(this);
    m_mainTab->setObjectName(QStringLiteral("MainTab"));
    layout->addWidget(m_mainTab, 1);
    BuildTabs();
    connect(m_mainTab, &QTabWidget::currentChanged, this, [this] { ShowToolbarAndTabs(); });
    m_mainTab->setCurrentIndex(kInfo);
    ShowToolbarAndTabs();
    // The tabs stay in place when a tab leaves the toolbar empty.
    m_toolbar->setMinimumHeight(m_toolbar->sizeHint().height());
}

ucShip::~ucShip() = default;

void ucShip::BuildTabs() {
    auto* info = new QWidget(m_mainTab);
    auto* infoLayout = new QVBoxLayout(info);
    m_globalView = NewValueList(info, QStringLiteral("GlobalView"));
    infoLayout->addWidget(m_globalView);
    m_mainTab->addTab(info, QStringLiteral("Info"));

    auto* more = new QWidget(m_mainTab);
    auto* moreLayout = new QVBoxLayout(more);
    m_moreView = NewValueList(more, QStringLiteral("MoreView"));
    m_descEdit = new QPlainTextEdit(more);
    m_descEdit->setObjectName(QStringLiteral("DescEdit"));
    m_descEdit->setReadOnly(true);
    m_descEdit->setMaximumHeight(90);
    moreLayout->addWidget(m_moreView, 1);
    moreLayout->addWidget(m_descEdit);
    m_mainTab->addTab(more, QStringLiteral("More info"));

    auto* turrets = new QWidget(m_mainTab);
    auto* turretLayout = new QVBoxLayout(turrets);
    m_lblTData = NewLabel(turrets, QStringLiteral("lblTData"), QString());
    m_turView =
        NewList(turrets, QStringLiteral("TurView"),
                {QString(), QStringLiteral("[offset]"), QStringLiteral("Index"),
                 QStringLiteral("Turret idx"), QStringLiteral("Body ID"), QStringLiteral("Path ID"),
                 QStringLiteral("Type"), QStringLiteral("Position")});
    m_cockpView =
        NewList(turrets, QStringLiteral("CockpView"),
                {QString(), QStringLiteral("Cockpit idx"), QStringLiteral("Cockpit name")});
    turretLayout->addWidget(m_lblTData);
    turretLayout->addWidget(m_turView, 1);
    turretLayout->addWidget(
        NewLabel(turrets, QStringLiteral("lblCockp"), QStringLiteral("Cockpits (turrets)")));
    turretLayout->addWidget(m_cockpView, 1);
    m_mainTab->addTab(turrets, QStringLiteral("Turrets"));

    auto* guns = new QWidget(m_mainTab);
    auto* gunLayout = new QVBoxLayout(guns);
    m_gunGroupView = NewList(guns, QStringLiteral("GunGroupView"),
                             {QString(), QStringLiteral("[offset]"), QStringLiteral("Init las pos"),
                              QStringLiteral("# of guns"), QStringLiteral("Index"),
                              QStringLiteral("Gun entries"), QStringLiteral("Position")});
    m_gunView =
        NewList(guns, QStringLiteral("GunView"),
                {QString(), QStringLiteral("[offset]"), QStringLiteral("Gun index"),
                 QStringLiteral("Gun Count"), QStringLiteral("Body ID"), QStringLiteral("Path ID"),
                 QStringLiteral("Body ID (2)"), QStringLiteral("Path ID (2)")});
    gunLayout->addWidget(NewLabel(guns, QStringLiteral("lblTurrets"), QStringLiteral("Turrets")));
    gunLayout->addWidget(m_gunGroupView, 1);
    gunLayout->addWidget(
        NewLabel(guns, QStringLiteral("lblGuns"), QStringLiteral("Guns in turret")));
    gunLayout->addWidget(m_gunView, 1);
    m_mainTab->addTab(guns, QStringLiteral("Guns"));

    m_laserPage = new LaserPage(m_mainTab);
    m_mainTab->addTab(m_laserPage, QStringLiteral("Front lasers"));
    connect(m_laserPage, &LaserPage::MoveRequested, this, [this](bool compatible) {
        if (compatible)
            AddCompatibleLaser();
        else
            RemoveCompatibleLaser();
    });

    for (QTreeWidget* list : {m_globalView, m_moreView, m_turView, m_gunGroupView, m_gunView})
        list->installEventFilter(this);
    connect(m_globalView, &QTreeWidget::itemDoubleClicked, this,
            [this] { EditProperty(m_globalView); });
    connect(m_moreView, &QTreeWidget::itemDoubleClicked, this,
            [this] { EditProperty(m_moreView); });
    platform::OnChosenRowChanged(m_turView, this, [this] { SelectTurret(); });
    connect(m_turView, &QTreeWidget::itemDoubleClicked, this, [this] { EditTurret(); });
    platform::OnChosenRowChanged(m_gunGroupView, this, [this] { SelectGunGroup(); });
    platform::OnChosenRowChanged(m_gunView, this, [this] { SelectGun(); });
    connect(m_gunView, &QTreeWidget::itemDoubleClicked, this, [this] { EditGun(); });
}

void ucShip::SetReadOnly(bool value) {
    m_readOnly = value;
    m_laserPage->btnAddLaser()->setEnabled(!value);
    m_laserPage->btnRemoveLaser()->setEnabled(!value);
    ShowToolbarAndTabs();
}

// --- the editing-panel members ---

bool ucShip::ZorvQueryInterfaceEx(const QString& title, int32_t& kind) {
    if (!title.contains(QStringLiteral("TShips"), Qt::CaseInsensitive))
        return false;
    kind = kShipKind;
    return true;
}

QString ucShip::PageName(int32_t) {
    return QStringLiteral("Ship info");
}

QString ucShip::ObjectTypeName(int32_t) {
    return QStringLiteral("Ships");
}

int32_t ucShip::ZorvQueryInfo(int32_t) {
    return 7;
}

bool ucShip::Init(TFileDocument& document) {
    const bool loaded = InitTable(document.Parser());
    m_document = &document;
    return loaded;
}

bool ucShip::InitTable(const clsTxtParser& table) {
    if (!m_tablesLoaded) {
        m_missiles = TableOrEmpty(QStringLiteral("TRockets"));
        m_shields = TableOrEmpty(QStringLiteral("TShields"));
        m_lasers = TableOrEmpty(QStringLiteral("TLaser"));
        if (const auto cockpits = Archive().GetFile(QStringLiteral("TCockpits")))
            m_cockpits.Load(*cockpits);
        m_tablesLoaded = true;
    }
    m_document = nullptr;
    m_ships = std::make_unique<clsShipParser>();
    const bool loaded = m_ships->Load(table);
    if (!loaded)
        m_lastError = m_ships->GetLastError();
    return loaded;
}

bool ucShip::Validate(QString& errorText) {
    return ShipValues::ValidateShips(*m_ships, errorText);
}

std::shared_ptr<clsShip> ucShip::GetObject(const clsTXTObject* record) const {
    return record ? m_ships->Find(record->ID()) : nullptr;
}

QString ucShip::GetResourceName(const clsTXTObject& record) {
    const std::optional<int32_t> id = tfiles::ValueLong(record.Value(kNameText));
    const auto text = id ? DescServer().GetString(kNamePage, *id) : nullptr;
    return text ? text->Text() : QString();
}

QString ucShip::GetRace(const clsTXTObject& record) {
    QString text;
    if (GetObject(&record))
        ZorvTranslateValue(record, kRace, text, false);
    return text;
}

QString ucShip::GetClass(const clsTXTObject& record) {
    QString text;
    if (GetObject(&record))
        ZorvTranslateValue(record, kClass, text, false);
    return text;
}

EditingPanel::Record ucShip::CreateObject(int32_t, TFileDocument& document, const Record& before) {
    QString error;
    Record record = document.CreateObject(before, clsShip::kEmptyShipSize, error);
    if (!record)
        return nullptr;
    m_ships->CreateShip(record)->LoadObjects();
    return record;
}

bool ucShip::InitObject(const Record& record) {
    const std::shared_ptr<clsShip> ship = GetObject(record.get());
    return ship && ship->LoadObjects();
}

bool ucShip::RemoveObject(const Record& record) {
    if (!record || !m_ships->Ships.remove(record->Key()))
        return false;
    m_ships->UnsortedShips.remove(record->Key());
    return true;
}

ShipValues::Lookups ucShip::Lookups() const {
    return DescLookups(m_shields.get(), m_missiles.get());
}

QString ucShip::ZorvGetPropertyName(const clsTXTObject& record, int32_t index) {
    const std::optional<int32_t> gunGroupCount =
        GetObject(&record) ? ShipValues::GunGroupCountField(record) : std::nullopt;
    return ShipValues::FieldName(record, index, gunGroupCount);
}

int32_t ucShip::ZorvSupportValueTranslate(const clsTXTObject& record, int32_t index) {
    return ShipValues::SupportValueTranslate(index, record.size());
}

QStringList ucShip::ZorvGetPropertyValues(const clsTXTObject& record, int32_t index) {
    return ShipValues::PropertyValues(index, record.size(), Lookups());
}

QString ucShip::ZorvGetValueUnit(const clsTXTObject&, int32_t index) {
    return ShipValues::ValueUnit(index);
}

bool ucShip::ZorvTranslateValue(const clsTXTObject& record, int32_t index, QString& text,
                                bool unitsLeftOut) {
    const std::optional<QString> translated =
        ShipValues::TranslateValue(record, index, unitsLeftOut, Lookups());
    if (translated)
        text = *translated;
    return translated.has_value();
}

bool ucShip::ZorvTranslateValueBack(const clsTXTObject& record, const QString& text, int32_t index,
                                    double& value) {
    const std::optional<double> back =
        ShipValues::TranslateValueBack(text, index, record.size(), Lookups());
    if (back)
        value = *back;
    return back.has_value();
}

// --- the views ---

void ucShip::ShowObject(const Record& record, int32_t) {
    m_ship = GetObject(record.get());
    m_noShip = !m_ship;
    if (m_noShip)
        m_ship = clsShip::Create();
    m_turret.reset();
    m_gunGroup.reset();
    m_gun.reset();
    ShowToolbarAndTabs();
    RefreshAll();
}

void ucShip::ShowToolbarAndTabs() {
    const bool hasRecord = !m_noShip && m_ship->Object->ID() != 0;
    const bool structure = hasRecord && !m_readOnly;
    m_toolbar->clear();
    const auto add = [this](const QString& key, const QString& caption, const QString& tip,
                            bool enabled, void (ucShip::*command)()) {
        QAction* action = m_toolbar->addAction(caption);
        action->setObjectName(key);
        action->setToolTip(tip);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, command);
    };
    switch (m_mainTab->currentIndex()) {
    case kInfo:
    case kMoreInfo:
        add(QStringLiteral("showbody"), QStringLiteral("Body"), QStringLiteral("Show Body"), true,
            &ucShip::ShowBody);
        add(QStringLiteral("showmodel"), QStringLiteral("Model"), QStringLiteral("Show Model"),
            true, &ucShip::ShowModel);
        add(QStringLiteral("showcockpit"), QStringLiteral("Cockpit"),
            QStringLiteral("Show Cockpit"), true, &ucShip::ShowCockpit);
        break;
    case kTurrets:
        add(QStringLiteral("newturret"), QStringLiteral("Add Turret"), QString(), structure,
            &ucShip::AddTurret);
        add(QStringLiteral("delturret"), QStringLiteral("Remove Turret"), QString(), structure,
            &ucShip::RemoveSelectedTurret);
        break;
    case kGuns:
        add(QStringLiteral("newgun"), QStringLiteral("Add Gun"), QString(), structure,
            &ucShip::AddGun);
        add(QStringLiteral("delgun"), QStringLiteral("Remove Gun"), QString(), structure,
            &ucShip::RemoveSelectedGun);
        break;
    default:
        break;
    }
}

void ucShip::RefreshAll() {
    ShowProperties();
    ShowTurrets();
    ShowGunGroups();
    ShowLasers();
    SelectGunGroup();
    SelectTurret();
}

QString ucShip::NameText(int32_t offset) const {
    const clsTXTObject& record = *m_ship->Object;
    if (record.size() <= kNameText)
        return {};
    const std::optional<int32_t> id = tfiles::ValueLong(record.Value(kNameText));
    if (!id || *id > std::numeric_limits<int32_t>::max() - offset)
        return {};
    const auto text = DescServer().GetString(kNamePage, *id + offset);
    return text ? mdlCommon::UnescapeText(text->Text()) : QString();
}

void ucShip::ShowProperties() {
    const clsTXTObject& record = *m_ship->Object;
    const int32_t size = record.size();
    const auto addFields = [&](QTreeWidget* list, std::initializer_list<int32_t> fields) {
        for (const int32_t field : fields)
            AddFieldRow(list, record, field);
    };
    Refill(m_globalView, [&] {
        if (size <= 0)
            return;
        mdlCommon::AddListRow(m_globalView, QStringLiteral("ID"), record.ObjectName(), kNameTag);
        addFields(m_globalView,
                  {kClass, kRace, kAcceleration, kSpeed, 2, 3, 4, kPower, 43, kTurretCount});
        if (const std::optional<int32_t> field = ShipValues::GunGroupCountField(record))
            AddFieldRow(m_globalView, record, *field);
        else
            mdlCommon::AddListRow(m_globalView, QStringLiteral("Gun groups count"),
                                  QStringLiteral("N/A"));
        addFields(m_globalView, {kGunCount, kCargoMin, kCargoMax, kCargoType, kDockingSlots,
                                 kShieldType, 21, kMissileType, kLasers, kCockpitFile, kModelFile,
                                 kEngineTuning, 25, 23, size - 5});
    });
    Refill(m_moreView, [&] {
        if (size <= 0)
            return;
        mdlCommon::AddListRow(m_moreView, QStringLiteral("Name"), NameText(0));
        mdlCommon::AddListRow(m_moreView, QStringLiteral("Script ID"),
                              QString::number(int64_t{record.Index()} + kScriptIDBase));
        addFields(m_moreView, {0, 1, 44, 45, 46, 9, 11, 12, 14, 15, kNameText, 10, size - 6,
                               size - 4, size - 3, size - 2});
    });
    m_descEdit->setPlainText(QStringLiteral("Description: ") + NameText(1));
}

void ucShip::ShowTurrets() {
    const clsTXTObject& record = *m_ship->Object;
    try {
        QString descriptor = QStringLiteral("Turrets descriptor: ");
        if (record.size() > kDescriptors)
            for (int32_t field = kDescriptors; field < kDescriptors + 2 * kDescriptorTurrets;
                 ++field)
                descriptor += tfiles::ValueText(record.Value(field)) + u';';
        m_lblTData->setText(descriptor);
        Refill(m_turView, [&] {
            int number = 0;
            for (const auto& turret : m_ship->Turrets()) {
                QStringList texts{QString::number(++number), QString::number(turret->offset())};
                for (int32_t field = 0; field < turret->size(); ++field) {
                    QString text;
                    const bool named = turret->TranslateValue(field, text);
                    texts << Shown(named, text, turret->Value(field));
                }
                if (turret->IsTurret()) {
                    for (int32_t field = 0; field < 2; ++field) {
                        QString text;
                        const bool named = turret->TranslateDescValue(field, text);
                        texts << Shown(named, text, turret->DescriptorValue(field));
                    }
                }
                AddKeyedRow(m_turView, texts, turret->Key());
            }
        });
        Refill(m_cockpView, [&] {
            if (m_noShip)
                return;
            const int32_t sections = tfiles::ValueLong(record.Value(kTurretCount)).value_or(0);
            const int32_t turrets = sections > 0 ? std::min(sections - 1, kDescriptorTurrets) : 0;
            for (int32_t k = 1; k <= turrets; ++k) {
                // Type 0 is the table's first turret type, so every turret is listed.
                const std::optional<int32_t> type =
                    tfiles::ValueLong(record.Value(kDescriptors + 2 * (k - 1)));
                const auto cockpit = type ? m_cockpits.FindIndex(*type) : nullptr;
                QStringList texts{QString::number(k)};
                if (cockpit)
                    texts << QString::number(cockpit->Object->Index())
                          << cockpit->Object->ObjectName();
                else
                    texts << QString() << QStringLiteral("[cockpit not found]");
                AddKeyedRow(m_cockpView, texts, QString());
            }
        });
    } catch (const std::exception& error) {
        m_prompts.tell(
            QStringLiteral("ucShip->ShowTurrets: Error while displaying turret data: \n") +
                QString::fromUtf8(error.what()),
            PromptIcon::Critical);
    }
}

void ucShip::ShowGunGroups() {
    try {
        Refill(m_gunGroupView, [&] {
            int number = 0;
            for (const auto& group : m_ship->GunGroups()) {
                QStringList texts{QString::number(++number), QString::number(group->offset())};
                for (int32_t field = 0; field < group->size(); ++field)
                    texts << QString::number(group->Value(field));
                if (const auto turret = group->turret())
                    texts << turret->PositionName();
                AddKeyedRow(m_gunGroupView, texts, group->Key());
            }
        });
    } catch (const std::exception&) {
        m_prompts.tell(QStringLiteral("Error loading ship data."), PromptIcon::Exclamation);
    }
}

void ucShip::ShowGuns(const std::shared_ptr<clsGunGroup>& group) {
    Refill(m_gunView, [&] {
        if (!group)
            return;
        int number = 0;
        for (const auto& gun : group->Guns()) {
            QStringList texts{QString::number(++number), QString::number(gun->offset())};
            for (int32_t field = 0; field < gun->size(); ++field)
                texts << QString::number(gun->Value(field));
            AddKeyedRow(m_gunView, texts, gun->Key());
        }
    });
}

void ucShip::ShowLasers() {
    const clsTXTObject& record = *m_ship->Object;
    if (record.size() <= kLasers) {
        m_laserPage->Clear();
        return;
    }
    m_laserPage->Fill(*m_lasers, ShipValues::LaserMask(record.Value(kLasers)).value_or(0));
}

void ucShip::SelectTurret() {
    m_turret = m_ship->Turrets().find(RowKey(platform::ChosenItem(m_turView)));
}

void ucShip::SelectGunGroup() {
    m_gunGroup = m_ship->GunGroups().find(RowKey(platform::ChosenItem(m_gunGroupView)));
    ShowGuns(m_gunGroup);
    SelectGun();
}

void ucShip::SelectGun() {
    m_gun = m_gunGroup ? m_gunGroup->Guns().find(RowKey(platform::ChosenItem(m_gunView))) : nullptr;
}

// --- the commands ---

void ucShip::Changed() {
    emit OnShipChanged(m_ship->Object);
}

bool ucShip::EditShip(const std::function<bool(QString& error)>& edit) {
    if (!m_document)
        return false;
    QString error;
    if (m_document->EditLine(m_ship->Object, edit, error))
        return true;
    if (!error.isEmpty())
        m_prompts.tell(error, PromptIcon::Critical);
    return false;
}

bool ucShip::ShipIsSound() {
    if (m_ship->Validate())
        return true;
    m_prompts.tell(QStringLiteral("The data of this ship do not match its turrets and guns; "
                                  "correct them on the raw data page first.\n\n") +
                       m_ship->GetLastError(),
                   PromptIcon::Exclamation);
    return false;
}

void ucShip::EditProperty(QTreeWidget* list) {
    const QTreeWidgetItem* row = platform::ChosenItem(list);
    if (m_readOnly || m_noShip || !m_document || !row)
        return;
    const QVariant tag = row->data(0, mdlCommon::kRowTagRole);
    const Record record = m_ship->Object;
    frmEdit dialog(*m_document, window());
    if (tag.typeId() == QMetaType::QString) {
        if (tag.toString() != kNameTag)
            return;
        dialog.ShowName(record, m_document->Parser().objects);
    } else if (tag.isValid()) {
        const int32_t index = tag.toInt();
        if (index == kTurretCount || index == kGunCount ||
            index == ShipValues::GunGroupCountField(*record)) {
            if (!m_prompts.confirm(
                    QStringLiteral("Warning:\nManualy modifying this value can corrupt ship data.\n"
                                   "This value is altered automatically by the editor.\n\n"
                                   "Do you really want to modify it?"),
                    PromptIcon::Exclamation, 1))
                return;
        }
        dialog.ShowProperty(this, record, kShipKind, index);
        // Cargo min never above cargo max, whichever of the two was edited.
        const auto cargo = [&](int32_t field) { return tfiles::ValueNumber(record->Value(field)); };
        if (dialog.ModalResult == frmEdit::kOK && (index == kCargoMin || index == kCargoMax)) {
            const auto min = cargo(kCargoMin);
            const auto max = cargo(kCargoMax);
            if (min && max && *min > *max) {
                const int32_t changed = index == kCargoMax ? kCargoMin : kCargoMax;
                QString error;
                if (m_document->SetValue(record, changed, record->Value(index), error))
                    m_prompts.tell(mdlZorvShips::ShipFieldNames[changed] +
                                       QStringLiteral(" was modified to be equal to new ") +
                                       mdlZorvShips::ShipFieldNames[index] +
                                       QStringLiteral(" value."),
                                   PromptIcon::Information);
            }
        }
    } else {
        return;
    }
    if (dialog.ModalResult == frmEdit::kOK) {
        RefreshAll();
        Changed();
    }
}

void ucShip::EditTurret() {
    if (m_readOnly || m_noShip || !m_turret || !ShipIsSound())
        return;
    frmTurretEdit dialog(window());
    if (EditShip([&](QString&) {
            dialog.ShowTurret(m_turret, m_ship, m_cockpits);
            return dialog.ModalResult == 1;
        })) {
        RefreshAll();
        Changed();
    }
}

void ucShip::EditGun() {
    if (m_readOnly || m_noShip || !m_gun || !m_gunGroup || !ShipIsSound())
        return;
    frmGunEdit dialog(window());
    if (EditShip([&](QString&) {
            dialog.ShowGun(m_gun, m_gunGroup);
            return dialog.ModalResult == 1;
        })) {
        ShowGunGroups();
        ShowGuns(m_gunGroup);
        ShowProperties();
        Changed();
    }
}

void ucShip::AddTurret() {
    if (m_readOnly || m_noShip || !ShipIsSound())
        return;
    if (m_ship->Turrets().count() >= clsShip::kMaxSections) {
        m_prompts.tell(QStringLiteral("Maximum number of turrets is %1 (+ front gun)")
                           .arg(clsShip::kMaxSections - 1),
                       PromptIcon::Information);
        return;
    }
    frmTurretEdit dialog(window());
    if (EditShip([&](QString&) {
            dialog.NewTurret(m_ship, m_cockpits);
            return dialog.ModalResult == 1;
        })) {
        RefreshAll();
        Changed();
    }
}

void ucShip::AddGun() {
    if (m_readOnly || m_noShip)
        return;
    if (!m_gunGroup) {
        if (m_ship->Turrets().isEmpty())
            m_prompts.tell(QStringLiteral("There are no turrets on this ship. You must first "
                                          "create a turret with Add Turret button."),
                           PromptIcon::Information);
        return;
    }
    if (!ShipIsSound())
        return;
    frmGunEdit dialog(window());
    if (EditShip([&](QString&) {
            dialog.NewGun(m_gunGroup);
            return dialog.ModalResult == 1;
        })) {
        ShowGunGroups();
        ShowGuns(m_gunGroup);
        ShowProperties();
        Changed();
    }
}

void ucShip::RemoveSelectedTurret() {
    if (m_readOnly || m_noShip || !m_turret || !ShipIsSound())
        return;
    if (m_ship->GetTurretIndex(*m_turret) < m_ship->Turrets().count()) {
        m_prompts.tell(QStringLiteral("You can only delete the last turret in the list."),
                       PromptIcon::Exclamation);
        return;
    }
    const QString question = QStringLiteral("Do you really want to delete the turret idx=%1 "
                                            "(position=%2) ?")
                                 .arg(m_turret->Index())
                                 .arg(m_turret->PositionName());
    if (!m_prompts.confirm(question, PromptIcon::Question))
        return;
    const bool removed = EditShip([this](QString& error) {
        if (m_ship->RemoveTurret(*m_turret))
            return true;
        error = m_ship->GetLastError();
        return false;
    });
    if (!removed)
        return;
    RefreshAll();
    Changed();
}

void ucShip::RemoveSelectedGun() {
    if (m_readOnly || m_noShip || !m_gunGroup || !m_gun || !ShipIsSound())
        return;
    if (m_gunGroup->GetGunIndex(*m_gun) < m_gunGroup->Guns().count()) {
        m_prompts.tell(QStringLiteral("You can only delete the last gun in the list."),
                       PromptIcon::Exclamation);
        return;
    }
    const QString question =
        QStringLiteral("Do you really want to delete the gun idx=%1?").arg(m_gun->Index());
    if (!m_prompts.confirm(question, PromptIcon::Question))
        return;
    if (!EditShip([this](QString&) {
            m_gunGroup->RemoveGun(*m_gun);
            return true;
        }))
        return;
    ShowGunGroups();
    SelectGunGroup();
    ShowProperties();
    Changed();
}

void ucShip::AddCompatibleLaser() {
    MoveLaser(true);
}

void ucShip::RemoveCompatibleLaser() {
    MoveLaser(false);
}

void ucShip::MoveLaser(bool compatible) {
    if (m_readOnly || m_noShip || !m_document)
        return;
    if (!m_laserPage->Move(compatible, *m_lasers, *m_document, m_ship->Object, kLasers))
        return;
    ShowProperties();
    Changed();
}

void ucShip::ShowViewerModel(const QString& folder, int32_t field) {
    if (m_noShip)
        return;
    if (const std::optional<int32_t> number = tfiles::ValueLong(m_ship->Value(field)))
        mdlCommon::ShowModel(this, folder, *number);
}

void ucShip::ShowBody() {
    ShowViewerModel(QStringLiteral("v"), 0);
}

void ucShip::ShowModel() {
    ShowViewerModel(QStringLiteral("cut"), kModelFile);
}

void ucShip::ShowCockpit() {
    ShowViewerModel(QStringLiteral("cut"), kCockpitFile);
}

bool ucShip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return EditingPanel::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool valueList = watched == m_globalView || watched == m_moreView;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (valueList)
            EditProperty(static_cast<QTreeWidget*>(watched));
        else if (watched == m_turView)
            EditTurret();
        else if (watched == m_gunView)
            EditGun();
        return true;
    }
    if (valueList && key->key() == Qt::Key_Insert && key->modifiers() & Qt::ControlModifier) {
        if (const QTreeWidgetItem* row = platform::ChosenItem(static_cast<QTreeWidget*>(watched)))
            QGuiApplication::clipboard()->setText(row->text(1));
        return true;
    }
    return EditingPanel::eventFilter(watched, event);
}
