#include "gamefiles/widgets/frmCATDialog.h"

#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvVFS.h"
#include "platform/PathParts.h"
#include "platform/Prompts.h"
#include "platform/ZorvError.h"
#include "platform/widgets/ChosenRow.h"
#include "platform/widgets/DialogRunner.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QToolBar>

namespace {

constexpr int kKindRole = Qt::UserRole;

// Closes a search of the virtual file system when it goes out of scope, also
// when listing throws.
class SearchCloser {
public:
    explicit SearchCloser(int32_t handle) : m_handle(handle) {}
    ~SearchCloser() {
        if (m_handle)
            mdlZorvVFS::ZorvVFS_FindClose(m_handle);
    }
    SearchCloser(const SearchCloser&) = delete;
    SearchCloser& operator=(const SearchCloser&) = delete;

private:
    int32_t m_handle;
};

// Why a typed name cannot name an entry of the catalog; empty when it can.
QString nameFault(const QString& name) {
    // Blanks alone are no name: nobody could see or pick such an entry.
    if (name.trimmed().isEmpty())
        return QObject::tr("Please enter a file name.");
    if (name.contains(u'*') || name.contains(u'?'))
        return QObject::tr("The file name %1 must not hold \"*\" or \"?\".").arg(name);
    if (name.startsWith(u'\\'))
        return QObject::tr("The file name %1 must not begin with \"\\\".").arg(name);
    for (const QString& part : name.split(u'\\')) {
        if (part.trimmed().isEmpty())
            return QObject::tr("The file name %1 holds an empty folder name.").arg(name);
        if (part == u"." || part == u"..")
            return QObject::tr("The file name %1 must not hold \"%2\".").arg(name, part);
    }
    return QString();
}

} // namespace

frmCATDialog::frmCATDialog(QWidget* parent)
    : QDialog(parent), lblCaption(new QLabel(this)), cmbDir(new QComboBox(this)),
      DirBar(new QToolBar(this)), CloseBar(new QToolBar(this)), FileView(new QListWidget(this)),
      Label1(new QLabel(tr("File name"), this)), cmbFileName(new QComboBox(this)),
      lblFilter(new QLabel(this)), cmbFilter(new QComboBox(this)), btnOK(new QPushButton(this)),
      btnCancel(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("frmCATDialog"));
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    cmbDir->setObjectName(QStringLiteral("cmbDir"));
    DirBar->setObjectName(QStringLiteral("DirBar"));
    CloseBar->setObjectName(QStringLiteral("CloseBar"));
    FileView->setObjectName(QStringLiteral("FileView"));
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbFileName->setObjectName(QStringLiteral("cmbFileName"));
    lblFilter->setObjectName(QStringLiteral("lblFilter"));
    cmbFilter->setObjectName(QStringLiteral("cmbFilter"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    cmbFileName->setEditable(true);
    cmbFileName->setInsertPolicy(QComboBox::NoInsert);
    cmbDir->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    btnOK->setDefault(true);
    FileView->setViewMode(QListView::ListMode);
    FileView->setFlow(QListView::TopToBottom);
    FileView->setWrapping(true);
    FileView->setResizeMode(QListView::Adjust);
    FileView->setIconSize(QSize(16, 16));
    FileView->setSpacing(1);
    FileView->setSelectionMode(QAbstractItemView::SingleSelection);
    Label1->setBuddy(cmbFileName);
    lblFilter->setBuddy(cmbFilter);

    QAction* up =
        DirBar->addAction(style()->standardIcon(QStyle::SP_FileDialogToParent), tr("Up One Level"));
    up->setObjectName(QStringLiteral("btnUp"));
    QAction* leave = CloseBar->addAction(tr("Close Catalog"));
    leave->setObjectName(QStringLiteral("btnCloseCatalog"));
    CloseBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    auto* top = new QHBoxLayout;
    top->addWidget(lblCaption);
    top->addWidget(cmbDir, 1);
    top->addWidget(DirBar);
    top->addWidget(CloseBar);
    auto* bottom = new QGridLayout;
    bottom->addWidget(Label1, 0, 0);
    bottom->addWidget(cmbFileName, 0, 1);
    bottom->addWidget(btnOK, 0, 2);
    bottom->addWidget(lblFilter, 1, 0);
    bottom->addWidget(cmbFilter, 1, 1);
    bottom->addWidget(btnCancel, 1, 2);
    bottom->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FileView, 1);
    layout->addLayout(bottom);
    resize(7200 / 15, 4800 / 15);

    connect(FileView, &QListWidget::itemClicked, this, &frmCATDialog::FileView_ItemClick);
    platform::OnChosenRowActivated(FileView, this, [this](const QModelIndex& row) {
        FileView_DblClick(FileView->item(row.row()));
    });
    connect(cmbDir, &QComboBox::activated, this, &frmCATDialog::cmbDir_Click);
    connect(cmbFilter, &QComboBox::activated, this, [this] { FillFileList(); });
    connect(up, &QAction::triggered, this, [this] {
        PopDir();
        FillDirCombo();
    });
    connect(leave, &QAction::triggered, this, [this] { CloseCatalog(kLeaveCatalog); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { CloseCatalog(kCancelled); });
    connect(btnOK, &QPushButton::clicked, this, &frmCATDialog::btnOK_Click);
}

frmCATDialog::~frmCATDialog() {
    CloseHandles();
}

void frmCATDialog::ShowOpen(const QString& catalogPath) {
    Show(catalogPath, false);
}

void frmCATDialog::ShowSave(const QString& catalogPath) {
    Show(catalogPath, true);
}

void frmCATDialog::reject() {
    if (isVisible())
        CloseCatalog(kWindowClosed);
}

void frmCATDialog::Show(const QString& catalogPath, bool save) {
    CloseHandles();
    m_saveMode = save;
    m_result = kWindowClosed;
    m_catalogPath = catalogPath;
    QString caption = tr("Catalog ") + catalogPath;
    if (!DialogTitle.isEmpty())
        caption += QStringLiteral(" - ") + DialogTitle;
    setWindowTitle(caption);

    m_catalog = mdlZorvFD::ZorvFD_OpenCatalog(catalogPath, 0);
    if (!m_catalog) {
        platform::prompts().ask({caption,
                                 tr("Error opening file ") + catalogPath + QStringLiteral(":\n\n") +
                                     mdlZorvFD::GetLastErrorText(),
                                 platform::PromptIcon::None, platform::PromptButtons::OK, 0,
                                 parentWidget()});
        CloseCatalog(kLeaveCatalog);
        return;
    }
    m_findContext = mdlZorvVFS::ZorvVFS_CatFindInit(m_catalog);
    if (!m_findContext) {
        const QString reason = mdlZorvVFS::GetLastErrorText();
        CloseHandles();
        throw platform::ZorvError(kListError, QStringLiteral("frmCATDialog"), reason);
    }

    m_catalogName = platform::GetFileTitle(catalogPath);
    ParseFilter();
    lblCaption->setText(save ? tr("Save As") : tr("Look in"));
    lblFilter->setText(save ? tr("Save as type") : tr("Files of type"));
    btnOK->setText(save ? tr("Save") : tr("Open"));

    m_levels.clear();
    cmbFileName->setEditText(QString());
    if (!FileName.isEmpty()) {
        SetDirPath(FileName);
        cmbFileName->setEditText(PopDir());
    }
    // The catalog stays open exactly while the dialog is shown, also when
    // listing fails.
    const auto closeAtEnd = qScopeGuard([this] { CloseHandles(); });
    FillDirCombo();
    platform::RunModal(*this);
}

void frmCATDialog::PushDir(const QString& level) {
    m_levels.append(level);
}

QString frmCATDialog::PopDir() {
    return m_levels.isEmpty() ? QString() : m_levels.takeLast();
}

void frmCATDialog::SetDirPath(const QString& path) {
    m_levels = QString(path).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts);
}

QString frmCATDialog::CurrentPattern() const {
    const int selected = cmbFilter->currentIndex();
    return selected >= 0 && selected < m_patterns.size() ? m_patterns[selected]
                                                         : QStringLiteral("*");
}

QString frmCATDialog::DirPath(bool noPattern) const {
    QString path;
    for (const QString& level : m_levels)
        path += level + u'\\';
    return noPattern ? path : path + CurrentPattern();
}

void frmCATDialog::FillDirCombo() {
    if (m_fillingDirCombo)
        return;
    m_fillingDirCombo = true;
    cmbDir->clear();
    cmbDir->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), m_catalogName, 0);
    for (int depth = 1; depth <= m_levels.size(); ++depth)
        cmbDir->addItem(style()->standardIcon(QStyle::SP_DirIcon),
                        QString(4 * depth, u' ') + m_levels[depth - 1], depth);
    cmbDir->setCurrentIndex(cmbDir->count() - 1);
    m_fillingDirCombo = false;
    FillFileList();
}

void frmCATDialog::FillFileList() {
    FileView->clear();
    if (!m_findContext)
        return;
    ZorvVFSFindData record{};
    const int32_t search =
        mdlZorvVFS::ZorvVFS_CatFindFirstFile(m_findContext, DirPath(false), record);
    SearchCloser closer(search);
    if (!search)
        return;
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    const QString typed = cmbFileName->currentText();
    FileView->setUpdatesEnabled(false);
    const auto updates = qScopeGuard([this] { FileView->setUpdatesEnabled(true); });
    do {
        const bool folder = record.kind == ZORV_VFS_KIND_DIRECTORY;
        auto* item = new QListWidgetItem(folder ? folderIcon : fileIcon,
                                         mdlZorvVFS::FindDataName(record), FileView);
        item->setData(kKindRole, record.kind);
        if (!typed.isEmpty() && item->text().compare(typed, Qt::CaseInsensitive) == 0) {
            FileView->setCurrentItem(item);
            FileView->scrollToItem(item);
        }
    } while (mdlZorvVFS::ZorvVFS_FindNextFile(search, record));
}

bool frmCATDialog::IsDirectoryItem(const QListWidgetItem* item) {
    return item && item->data(kKindRole).toInt() == ZORV_VFS_KIND_DIRECTORY;
}

void frmCATDialog::ParseFilter() {
    const QStringList parts = filter.split(u'|');
    cmbFilter->clear();
    m_patterns.clear();
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        cmbFilter->addItem(parts[i]);
        m_patterns.append(parts[i + 1] == u"*.*" ? QStringLiteral("*") : parts[i + 1]);
    }
    if (cmbFilter->count() == 0)
        return;
    if (FilterIndex == 0)
        FilterIndex = 1;
    cmbFilter->setCurrentIndex(
        FilterIndex >= 1 && FilterIndex <= cmbFilter->count() ? FilterIndex - 1 : 0);
}

void frmCATDialog::CloseCatalog(int32_t result) {
    m_result = result;
    CloseHandles();
    if (result != kChosen)
        FileName.clear();
    hide();
}

void frmCATDialog::CloseHandles() {
    if (m_findContext)
        mdlZorvVFS::ZorvVFS_FindClose(m_findContext);
    m_findContext = 0;
    if (m_catalog)
        mdlZorvFD::ZorvFD_CloseCatalog(m_catalog);
    m_catalog = 0;
}

void frmCATDialog::FileView_ItemClick(QListWidgetItem* item) {
    if (item && !IsDirectoryItem(item))
        cmbFileName->setEditText(item->text());
}

void frmCATDialog::FileView_DblClick(QListWidgetItem* item) {
    if (!item)
        return;
    if (IsDirectoryItem(item)) {
        PushDir(item->text());
        FillDirCombo();
        return;
    }
    FileName = m_catalogPath + QStringLiteral("::") + DirPath(true) + item->text();
    CloseCatalog(kChosen);
}

void frmCATDialog::cmbDir_Click(int index) {
    const int depth = cmbDir->itemData(index).toInt();
    while (m_levels.size() > depth)
        m_levels.removeLast();
    FillDirCombo();
}

// The catalog's own spelling of the entry an exact inner path names.
frmCATDialog::Found frmCATDialog::FindEntry(const QString& inner, QString& spelling) const {
    // Folders match the name without its extension, so only one spelt as
    // typed counts.
    const QString lastPart = inner.section(u'\\', -1);
    Found found = Found::Nothing;
    ZorvVFSFindData record{};
    const int32_t search = mdlZorvVFS::ZorvVFS_CatFindFirstFile(m_findContext, inner, record);
    SearchCloser closer(search);
    if (!search)
        return found;
    do {
        const QString name = mdlZorvVFS::FindDataName(record);
        if (record.kind != ZORV_VFS_KIND_DIRECTORY) {
            spelling = name;
            return Found::File;
        }
        if (name.compare(lastPart, Qt::CaseInsensitive) == 0) {
            spelling = name;
            found = Found::Folder;
        }
    } while (mdlZorvVFS::ZorvVFS_FindNextFile(search, record));
    return found;
}

void frmCATDialog::btnOK_Click() {
    const QString name = cmbFileName->currentText().replace(u'/', u'\\');
    const QString fault = nameFault(name);
    if (!fault.isEmpty()) {
        platform::prompts().ask({windowTitle(), fault, platform::PromptIcon::Exclamation,
                                 platform::PromptButtons::OK, 0, this});
        return;
    }
    QString inner = DirPath(true) + name;
    QString spelling;
    const Found found = FindEntry(inner, spelling);
    if (found != Found::Nothing)
        inner = inner.left(inner.lastIndexOf(u'\\') + 1) + spelling;
    // A typed folder is entered, in either mode, as a double click would.
    if (found == Found::Folder) {
        SetDirPath(inner);
        cmbFileName->setEditText(QString());
        FillDirCombo();
        return;
    }
    if (found == Found::Nothing && !m_saveMode) {
        platform::prompts().ask({windowTitle(), tr("File ") + name + tr(" does not exist."),
                                 platform::PromptIcon::Exclamation, platform::PromptButtons::OK, 0,
                                 this});
        return;
    }
    if (m_saveMode && platform::GetFileExt(inner).isEmpty()) {
        const QString extension =
            platform::GetFileExt(CurrentPattern().section(u';', 0, 0).trimmed());
        if (!extension.isEmpty() && extension != u"*")
            inner += u'.' + extension;
    }
    FileName = m_catalogPath + QStringLiteral("::") + inner;
    FilterIndex = cmbFilter->currentIndex() + 1;
    CloseCatalog(kChosen);
}
