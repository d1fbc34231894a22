#include "tfiles/widgets/ucWare.h"

#include "common/mdlCommon.h"
#include "common/widgets/Viewer.h"
#include "common/widgets/mdlCommonWidgets.h"
#include "platform/Prompts.h"
#include "platform/widgets/ChosenRow.h"
#include "resources/clsDescServer.h"
#include "tfiles/TxtValue.h"
#include "tfiles/WareValues.h"
#include "tfiles/clsArchive.h"
#include "tfiles/widgets/frmEdit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>
#include <initializer_list>

namespace {

using namespace WareValues::Kinds;

constexpr int32_t kNamePage = 17;
constexpr int32_t kNameTextIndex = 6;
constexpr int32_t kShieldPriceIndex = 12;
constexpr int32_t kUnknownBulletIndex = 23;
const QString kNameTag = QStringLiteral("name");
const QString kColorTag = QStringLiteral("color");

QString PageText(int32_t id) {
    const std::shared_ptr<clsString> text = DescServer().GetString(kNamePage, id);
    return text ? text->Text() : QString();
}

std::optional<int32_t> NameTextID(const clsTXTObject& record) {
    return tfiles::ValueLong(record.Value(kNameTextIndex));
}

} // namespace

ucWare::ucWare(QWidget* parent)
    : EditingPanel(parent), m_prompts(QStringLiteral("DIV Avuruz"), this),
      m_lasers(std::make_shared<clsTxtParser>()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setObjectName(QStringLiteral("WareEdit"));
    m_bar = new QToolBar(this);
    m_bar->setObjectName(QStringLiteral("Bar"));
    QAction* body = m_bar->addAction(QStringLiteral("Body"));
    body->setToolTip(QStringLiteral("Show Body"));
    QAction* picture = m_bar->addAction(QStringLiteral("Picture"));
    picture->setToolTip(QStringLiteral("Show computer image"));
    connect(body, &QAction::triggered, this, [this] { ShowBody(0); });
    connect(picture, &QAction::triggered, this, [this] { ShowBody(1); });
    layout->addWidget(m_bar);

    m_propView = new QTreeWidget(this);
    m_propView->setObjectName(QStringLiteral("PropView"));
    m_propView->setRootIsDecorated(false);
    m_propView->setUniformRowHeights(true);
    m_propView->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Value"), QStringLiteral("[offset]")});
    m_propView->header()->resizeSection(0, 180);
    m_propView->header()->resizeSection(1, 200);
    m_propView->installEventFilter(this);
    connect(m_propView, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelectedRow(); });
    layout->addWidget(m_propView, 1);

    m_descEdit = new QPlainTextEdit(this);
    m_descEdit->setObjectName(QStringLiteral("DescEdit"));
    m_descEdit->setReadOnly(true);
    m_descEdit->setMaximumHeight(90);
    layout->addWidget(m_descEdit);

    m_colorEditor = [](QWidget* owner, int32_t color) {
        return platform::prompts().chooseColor(owner, color);
    };
}

bool ucWare::ZorvQueryInterfaceEx(const QString& title, int32_t& kind) {
    const std::optional<int32_t> claimed = WareValues::KindOfTitle(title);
    if (!claimed)
        return false;
    kind = *claimed;
    if (kind == kWares && !title.isEmpty())
        m_wareLetter = title.back();
    if (kind == kBullets) {
        // Bullets are named after the laser at the same file position.
        m_lasers = Archive().GetFile(QStringLiteral("TLaser"));
        if (!m_lasers)
            m_lasers = std::make_shared<clsTxtParser>();
        for (const auto& laser : m_lasers->objects)
            laser->otype = kLasers;
    }
    return true;
}

QString ucWare::PageName(int32_t kind) {
    return WareValues::PageName(kind);
}

bool ucWare::Init(TFileDocument& document) {
    m_document = &document;
    return true;
}

int32_t ucWare::ZorvQueryInfo(int32_t kind) {
    return WareValues::QueryInfo(kind);
}

bool ucWare::Validate(QString&) {
    return true;
}

QString ucWare::ObjectTypeName(int32_t kind) {
    return WareValues::ObjectTypeName(kind);
}

QString ucWare::GetResourceName(const clsTXTObject& record) {
    switch (record.otype) {
    case kShields:
    case kLasers:
    case kMissiles:
    case kWares:
    case kFactories:
    case kSpecials:
    case kDocks: {
        const std::optional<int32_t> id = NameTextID(record);
        return id ? PageText(*id) : QString();
    }
    case kBullets: {
        const auto laser = m_lasers->FindIndex(record.Index());
        return laser ? GetResourceName(*laser) + QStringLiteral(" Bullet") : QString();
    }
    default:
        return {};
    }
}

QString ucWare::GetRace(const clsTXTObject& record) {
    clsWare ware;
    ware.Object = std::make_shared<clsTXTObject>(record);
    return ware.Race();
}

QString ucWare::GetClass(const clsTXTObject&) {
    return {};
}

void ucWare::ShowObject(const Record& record, int32_t kind) {
    m_ware.Object = record ? record : std::make_shared<clsTXTObject>();
    m_descEdit->clear();
    if (WareValues::LineSize(kind) == 0)
        return;
    const int selected = mdlCommon::GetSelectedIndex(m_propView);
    m_propView->setUpdatesEnabled(false);
    m_propView->clear();
    if (record && record->size() > 0) {
        BuildRows(kind);
        // Laid out here, not by the paint, which would paint the rows twice.
        m_propView->doItemsLayout();
        if (kind != kBullets)
            ShowDescription();
    }
    m_propView->setUpdatesEnabled(true);
    if (selected > 0)
        mdlCommon::SelectListIndex(m_propView, selected);
}

void ucWare::BuildRows(int32_t kind) {
    const clsTXTObject& record = *m_ware.Object;
    const int32_t size = record.size();
    const auto addIndices = [&](std::initializer_list<int32_t> indices) {
        for (const int32_t index : indices)
            AddFieldRow(m_propView, record, index);
    };
    const auto addRange = [&](int32_t first, int32_t last) {
        for (int32_t index = first; index <= last; ++index)
            AddFieldRow(m_propView, record, index);
    };
    const auto addScriptID = [&] {
        const int32_t base = WareValues::ScriptIDBase(record.otype, m_wareLetter);
        if (base)
            mdlCommon::AddListRow(m_propView, QStringLiteral("Script ID"),
                                  QString::number(int64_t{base} + record.Index()));
    };
    const auto addIdAndName = [&] {
        mdlCommon::AddListRow(m_propView, QStringLiteral("ID"), record.ObjectName(), kNameTag);
        mdlCommon::AddListRow(m_propView, QStringLiteral("Name"), GetResourceName(record));
    };

    switch (kind) {
    case kLasers:
    case kMissiles:
    case kShields:
        addIdAndName();
        addRange(0, size - 2);
        if (kind == kShields)
            mdlCommon::AddWarePriceRows(m_propView, record, kShieldPriceIndex);
        addScriptID();
        break;
    case kWares:
        mdlCommon::AddListRow(m_propView, QStringLiteral("Name"), record.ObjectName(), kNameTag);
        mdlCommon::AddCommonHeadRows(m_propView, record);
        addRange(2, 6);
        mdlCommon::AddCommonTailRows(m_propView, record);
        addScriptID();
        break;
    case kFactories:
    case kDocks:
        addIdAndName();
        addIndices({6, 11, 14, 15, 13, 16, 17, 18, 19, 20});
        addScriptID();
        break;
    case kBullets:
        mdlCommon::AddListRow(m_propView, QStringLiteral("ID"), record.ObjectName(), kNameTag);
        addIndices({0, 6, 22, 7, 8, 10, 11});
        mdlCommon::AddListRow(m_propView, QStringLiteral("Range"),
                              WareValues::BulletRange(record.Value(10), record.Value(11)));
        addIndices({12, 24, 9, 20, 21, 2, 3, 4, 15, 14, 13});
        mdlCommon::AddListRow(m_propView, QStringLiteral("Color (RGB)"),
                              WareValues::ColorText(WareValues::BulletColor(
                                  record.Value(13), record.Value(14), record.Value(15))),
                              kColorTag);
        addRange(16, 19);
        if (kUnknownBulletIndex < size)
            mdlCommon::AddListRow(m_propView, QStringLiteral("Unknown value"),
                                  tfiles::ValueText(record.Value(kUnknownBulletIndex)),
                                  kUnknownBulletIndex, QString::number(kUnknownBulletIndex));
        addIndices({25, 26});
        mdlCommon::AddCommonTailRows(m_propView, record);
        break;
    default:
        break;
    }
}

void ucWare::ShowDescription() {
    const std::optional<int32_t> id = NameTextID(*m_ware.Object);
    const QString text =
        id && *id < std::numeric_limits<int32_t>::max() ? PageText(*id + 1) : QString();
    m_descEdit->setPlainText(QStringLiteral("Description: ") + mdlCommon::UnescapeText(text));
}

void ucWare::EditSelectedRow() {
    QTreeWidgetItem* row = platform::ChosenItem(m_propView);
    if (!row || m_readOnly || !m_document)
        return;
    const QVariant tag = row->data(0, mdlCommon::kRowTagRole);
    const Record record = m_ware.Object;
    try {
        if (tag.typeId() == QMetaType::QString) {
            if (tag.toString() == kColorTag)
                return EditColor();
            if (tag.toString() != kNameTag)
                return;
            frmEdit dialog(*m_document, window());
            dialog.ShowName(record, m_document->Parser().objects);
            if (dialog.ModalResult == frmEdit::kOK)
                RecordChanged();
        } else if (tag.isValid()) {
            frmEdit dialog(*m_document, window());
            dialog.ShowProperty(this, record, record->otype, tag.toInt());
            if (dialog.ModalResult == frmEdit::kOK)
                RecordChanged();
        }
    } catch (const std::exception& error) {
        m_prompts.tell(QStringLiteral("Error editing value: ") + QString::fromUtf8(error.what()),
                       platform::PromptIcon::Critical);
    }
}

void ucWare::EditColor() {
    const Record record = m_ware.Object;
    const int32_t color =
        WareValues::BulletColor(record->Value(13), record->Value(14), record->Value(15));
    const std::optional<int32_t> edited = m_colorEditor(this, color);
    if (!edited || *edited == color)
        return;
    const std::array<int32_t, 3> components = WareValues::BulletColorComponents(*edited);
    QString error;
    for (int32_t offset = 0; offset < 3; ++offset) {
        if (!m_document->SetValue(record, 13 + offset, components[offset], error)) {
            m_prompts.tell(QStringLiteral("Error editing value: ") + error,
                           platform::PromptIcon::Critical);
            break;
        }
    }
    RecordChanged();
}

void ucWare::RecordChanged() {
    const Record record = m_ware.Object;
    ShowObject(record, record->otype);
    emit OnWareChanged(record);
}

void ucWare::CopySelectedValue() {
    if (const QTreeWidgetItem* row = platform::ChosenItem(m_propView))
        QGuiApplication::clipboard()->setText(row->text(1));
}

void ucWare::ShowBody(int32_t index) {
    if (const std::optional<int32_t> number = tfiles::ValueLong(m_ware.Object->Value(index)))
        mdlCommon::ShowModel(this, QStringLiteral("v"), *number);
}

bool ucWare::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_propView && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            EditSelectedRow();
            return true;
        }
        if (key->key() == Qt::Key_Insert && key->modifiers() & Qt::ControlModifier) {
            CopySelectedValue();
            return true;
        }
    }
    return EditingPanel::eventFilter(watched, event);
}

EditingPanel::Record ucWare::CreateObject(int32_t kind, TFileDocument& document,
                                          const Record& before) {
    const int32_t size = WareValues::LineSize(kind);
    if (size == 0)
        return nullptr;
    QString error;
    return document.CreateObject(before, size, error);
}

bool ucWare::InitObject(const Record&) {
    return true;
}

bool ucWare::RemoveObject(const Record&) {
    return true;
}

QString ucWare::ZorvGetPropertyName(const clsTXTObject& record, int32_t index) {
    QString caption;
    if (mdlCommon::GetCommonFieldCaption(record, index, caption))
        return caption;
    return WareValues::FieldName(record.otype, index);
}

int32_t ucWare::ZorvSupportValueTranslate(const clsTXTObject& record, int32_t index) {
    return WareValues::SupportValueTranslate(record.otype, index, record.size());
}

QStringList ucWare::ZorvGetPropertyValues(const clsTXTObject& record, int32_t index) {
    return WareValues::PropertyValues(record.otype, index, record.size());
}

QString ucWare::ZorvGetValueUnit(const clsTXTObject& record, int32_t index) {
    return WareValues::ValueUnit(record.otype, index);
}

bool ucWare::ZorvTranslateValue(const clsTXTObject& record, int32_t index, QString& text,
                                bool unitsLeftOut) {
    const std::optional<QString> translated = WareValues::TranslateValue(
        record.otype, index, record.size(), record.Value(index), unitsLeftOut);
    if (translated)
        text = *translated;
    return translated.has_value();
}

bool ucWare::ZorvTranslateValueBack(const clsTXTObject& record, const QString& text, int32_t index,
                                    double& value) {
    const std::optional<double> back =
        WareValues::TranslateValueBack(record.otype, index, record.size(), text);
    if (back)
        value = *back;
    return back.has_value();
}
