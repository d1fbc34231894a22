#include "ships/widgets/ucTurret.h"

#include "common/mdlCommon.h"
#include "platform/widgets/ChosenRow.h"
#include "ships/ShipValues.h"
#include "ships/widgets/LaserPage.h"
#include "ships/widgets/ShipLists.h"
#include "tfiles/TxtValue.h"
#include "tfiles/clsArchive.h"
#include "tfiles/mdlZorvCockpits.h"
#include "tfiles/widgets/frmEdit.h"

#include <QKeyEvent>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using namespace ShipLists;

constexpr int32_t kTurretKind = 9;
constexpr int32_t kTurretTypeSize = 15;
constexpr int32_t kUnknownValue = 7;
constexpr int32_t kLaserMask = 8;
const QString kNameTag = QStringLiteral("name");

} // namespace

ucTurret::ucTurret(QWidget* parent)
    : EditingPanel(parent), m_lasers(std::make_shared<clsTxtParser>()) {
    setObjectName(QStringLiteral("TurretEdit"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_mainTab = new QTabWidget(this);
    m_mainTab->setObjectName(QStringLiteral("MainTab"));
    layout->addWidget(m_mainTab);

    auto* info = new QWidget(m_mainTab);
    auto* infoLayout = new QVBoxLayout(info);
    m_propView = NewValueList(info, QStringLiteral("PropView"));
    infoLayout->addWidget(m_propView);
    m_mainTab->addTab(info, QStringLiteral("Info"));

    m_laserPage = new LaserPage(m_mainTab);
    m_mainTab->addTab(m_laserPage, QStringLiteral("Lasers"));

    m_propView->installEventFilter(this);
    connect(m_propView, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelectedRow(); });
    connect(m_laserPage, &LaserPage::MoveRequested, this,
            [this](bool compatible) { MoveLaser(compatible); });
}

bool ucTurret::ZorvQueryInterfaceEx(const QString& title, int32_t& kind) {
    if (!title.contains(QStringLiteral("TCockpits"), Qt::CaseInsensitive))
        return false;
    kind = kTurretKind;
    return true;
}

QString ucTurret::PageName(int32_t kind) {
    return kind == kTurretKind ? QStringLiteral("Turret info") : QString();
}

QString ucTurret::ObjectTypeName(int32_t kind) {
    return kind == kTurretKind ? QStringLiteral("Turrets") : QString();
}

bool ucTurret::Init(TFileDocument& document) {
    if (!m_lasersLoaded) {
        if (auto lasers = Archive().GetFile(QStringLiteral("TLaser")))
            m_lasers = std::move(lasers);
        m_lasersLoaded = true;
    }
    m_document = &document;
    return true;
}

int32_t ucTurret::ZorvQueryInfo(int32_t) {
    return 1;
}

bool ucTurret::Validate(QString&) {
    return true;
}

QString ucTurret::GetResourceName(const clsTXTObject&) {
    return {};
}

QString ucTurret::GetRace(const clsTXTObject&) {
    return {};
}

QString ucTurret::GetClass(const clsTXTObject&) {
    return {};
}

EditingPanel::Record ucTurret::CreateObject(int32_t kind, TFileDocument& document,
                                            const Record& before) {
    if (kind != kTurretKind)
        return nullptr;
    QString error;
    return document.CreateObject(before, kTurretTypeSize, error);
}

bool ucTurret::InitObject(const Record&) {
    return true;
}

bool ucTurret::RemoveObject(const Record&) {
    return true;
}

QString ucTurret::ZorvGetPropertyName(const clsTXTObject& record, int32_t index) {
    QString caption;
    if (mdlCommon::GetCommonFieldCaption(record, index, caption))
        return caption;
    return mdlCommon::GetArrayString(mdlZorvCockpits::CockpitFieldNames, index);
}

int32_t ucTurret::ZorvSupportValueTranslate(const clsTXTObject&, int32_t) {
    return kPlain;
}

bool ucTurret::HasRecord() const {
    return m_ware.Object->size() > 0;
}

void ucTurret::ShowObject(const Record& record, int32_t) {
    m_ware.Object = record ? record : std::make_shared<clsTXTObject>();
    if (record)
        record->otype = kTurretKind;
    ShowInfo();
    ShowLasers();
}

void ucTurret::ShowInfo() {
    Refill(m_propView, [this] {
        if (!HasRecord())
            return;
        mdlCommon::AddListRow(m_propView, QStringLiteral("ID"), m_ware.Object->ObjectName(),
                              kNameTag);
        ShowProp(kUnknownValue);
        ShowProp(kLaserMask);
    });
}

void ucTurret::ShowProp(int32_t index) {
    const clsTXTObject& record = *m_ware.Object;
    if (index >= record.size())
        return;
    const QVariant value = record.Value(index);
    const std::optional<int32_t> mask =
        index == kLaserMask ? ShipValues::LaserMask(value) : std::nullopt;
    mdlCommon::AddListRow(m_propView, ZorvGetPropertyName(record, index),
                          mask ? QString::number(*mask) : tfiles::ValueText(value), index,
                          QString::number(index));
}

void ucTurret::ShowLasers() {
    if (!HasRecord() || m_ware.Object->size() <= kLaserMask) {
        m_laserPage->Clear();
        return;
    }
    m_laserPage->Fill(*m_lasers, ShipValues::LaserMask(m_ware.Value(kLaserMask)).value_or(0));
}

void ucTurret::AddLaser() {
    MoveLaser(true);
}

void ucTurret::RemoveLaser() {
    MoveLaser(false);
}

void ucTurret::MoveLaser(bool compatible) {
    if (!HasRecord() || !m_document)
        return;
    if (!m_laserPage->Move(compatible, *m_lasers, *m_document, m_ware.Object, kLaserMask))
        return;
    ShowInfo();
    emit OnTurretChanged(m_ware.Object);
}

void ucTurret::EditSelectedRow() {
    const QTreeWidgetItem* row = platform::ChosenItem(m_propView);
    if (!row || !HasRecord() || !m_document)
        return;
    const QVariant tag = row->data(0, mdlCommon::kRowTagRole);
    frmEdit dialog(*m_document, window());
    if (tag.typeId() == QMetaType::QString && tag.toString() == kNameTag)
        dialog.ShowName(m_ware.Object, m_document->Parser().objects);
    else if (tag.isValid())
        dialog.ShowProperty(this, m_ware.Object, kTurretKind, tag.toInt());
    else
        return;
    if (dialog.ModalResult == frmEdit::kOK)
        RecordChanged();
}

void ucTurret::RecordChanged() {
    const Record record = m_ware.Object;
    ShowObject(record, kTurretKind);
    emit OnTurretChanged(record);
}

bool ucTurret::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_propView && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            EditSelectedRow();
            return true;
        }
    }
    return EditingPanel::eventFilter(watched, event);
}
