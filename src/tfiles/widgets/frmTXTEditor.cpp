#include "tfiles/widgets/frmTXTEditor.h"

#include "common/mdlCommon.h"
#include "common/mdlCommonGlobals.h"
#include "common/widgets/RecentFilesMenu.h"
#include "common/widgets/mdlCommonWidgets.h"
#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/widgets/ZorvFileDialog.h"
#include "platform/Processes.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/widgets/ChosenRow.h"
#include "shell/mdlComFunctions.h"
#include "shell/widgets/frmFind.h"
#include "shell/widgets/frmText.h"
#include "shell/widgets/frmWait.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"
#include "tfiles/TxtValue.h"
#include "tfiles/widgets/EditingPanel.h"
#include "tfiles/widgets/TFileObjectModel.h"
#include "tfiles/widgets/frmEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

const QString kTitle = QStringLiteral("DIV Avuruz");
const QString kNameTag = QStringLiteral("name");
const QString kOpenFilter = QStringLiteral(
    "Zorv T files (*.txt; *.pck; *.cat)|*.txt;*.pck;*.cat|Zorv Catalogs (*.cat)|*.cat|All "
    "files (*.*)|*.*");
const QString kSaveFilter =
    QStringLiteral("Zorv T files - plain (*.txt)|*.txt|Zorv T files - packed (*.pck)|*.pck|Zorv "
                   "Catalogs (*.cat)|*.cat");

frmTXTEditor::TextEditorOpener& InstalledTextEditorOpener() {
    static frmTXTEditor::TextEditorOpener opener;
    return opener;
}

QString ErrorText(const std::exception& error) {
    return QString::fromUtf8(error.what());
}

QString HeaderWarning(int32_t lineCount, int32_t objectCount, const QString& validateText) {
    return QStringLiteral("Warning: Number of lines in file header does not match actual number "
                          "of objects in file (number in header: %1, actual number: %2).\n"
                          "Saving the file will correct this.\n\n")
               .arg(lineCount)
               .arg(objectCount) +
           validateText;
}

class UpdatesPaused {
public:
    explicit UpdatesPaused(QWidget* widget) : m_widget(widget) {
        m_widget->setUpdatesEnabled(false);
    }
    ~UpdatesPaused() { m_widget->setUpdatesEnabled(true); }
    UpdatesPaused(const UpdatesPaused&) = delete;
    UpdatesPaused& operator=(const UpdatesPaused&) = delete;

private:
    QWidget* m_widget;
};

} // namespace

QStringList frmTXTEditor::RecentFiles() const {
    return m_recent->Files();
}

void frmTXTEditor::SetTextEditorOpener(TextEditorOpener opener) {
    InstalledTextEditorOpener() = std::move(opener);
}

frmTXTEditor::frmTXTEditor(QWidget* parent) : QMainWindow(parent), m_prompts(kTitle, this) {
    setObjectName(QStringLiteral("frmTXTEditor"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_dialog = new ZorvFileDialog(this);
    m_model = new TFileObjectModel(this);
    BuildControls();
    m_panels = PanelClaims::CreatePanels(m_panelPage);
    for (EditingPanel* panel : m_panels) {
        panel->setVisible(false);
        m_panelPage->layout()->addWidget(panel);
    }
    connect(&m_document, &TFileDocument::ObjectChanged, this,
            [this](const TFileDocument::Record& record) { ObjectChanged(record); });
    connect(&m_document, &TFileDocument::ObjectRemoved, this,
            [this](const TFileDocument::Record& record) { ObjectRemoved(record); });

    m_recent->SetFiles(mdlCommon::Settings().LoadRecentTFiles());
    SelectFileType(QString());
    const bool sorted =
        mdlCommon::Settings().ReadRegValue(QStringLiteral("Sort"), platform::REG_DWORD, 1).toInt();
    m_chkSort->setChecked(sorted);
    int32_t nameIdx = mdlCommon::Settings()
                          .ReadRegValue(QStringLiteral("NameIdx"), platform::REG_DWORD, 2)
                          .toInt();
    if (nameIdx < 0 || nameIdx > 2)
        nameIdx = 2;
    m_rbName[nameIdx]->setChecked(true);
    m_rbName[0]->setEnabled(mdlCommon::Settings().LoadDescriptions());
    SetNameIndex(nameIdx);
    EnableFileCommands(false);
    UpdateCaption();
    resize(900, 600);
}

frmTXTEditor::~frmTXTEditor() = default;

void frmTXTEditor::BuildControls() {
    BuildToolbar();
    BuildPopupMenu();
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("DividerBar"));
    m_splitter->setChildrenCollapsible(false);
    // The divider keeps 2000 twips on either side.
    constexpr int kSideMinimum = 2000 / 15;
    m_splitter->addWidget(BuildListSide());
    m_splitter->widget(0)->setMinimumWidth(kSideMinimum);

    auto* right = new QWidget(m_splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(6, 0, 0, 0);
    m_lblObjectName = new QLabel(right);
    m_lblObjectName->setObjectName(QStringLiteral("lblObjectName"));
    QFont bold = m_lblObjectName->font();
    bold.setBold(true);
    m_lblObjectName->setFont(bold);
    rightLayout->addWidget(m_lblObjectName);
    m_mainTab = new QTabWidget(right);
    m_mainTab->setObjectName(QStringLiteral("MainTab"));
    m_mainTab->addTab(BuildRawDataPage(), QStringLiteral("Raw data"));
    m_panelPage = new QWidget(m_mainTab);
    auto* panelLayout = new QVBoxLayout(m_panelPage);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    m_mainTab->addTab(m_panelPage, QString());
    rightLayout->addWidget(m_mainTab, 1);
    right->setMinimumWidth(kSideMinimum);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({280, 620});
    setCentralWidget(m_splitter);

    m_countPanel = new QLabel(this);
    m_indexPanel = new QLabel(this);
    statusBar()->setObjectName(QStringLiteral("Bar"));
    statusBar()->addWidget(m_countPanel, 1);
    statusBar()->addWidget(m_indexPanel, 2);

    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(find, &QShortcut::activated, this, &frmTXTEditor::ShowFind);
}

void frmTXTEditor::BuildToolbar() {
    QToolBar* toolbar = addToolBar(QStringLiteral("MainToolbar"));
    toolbar->setObjectName(QStringLiteral("MainToolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    auto* open = new QAction(QStringLiteral("Open"), this);
    open->setObjectName(QStringLiteral("open"));
    open->setToolTip(QStringLiteral("Open TXT file"));
    connect(open, &QAction::triggered, this, [this] {
        QString path;
        OpenFile(path);
    });
    m_recent = new RecentFilesMenu(this);
    connect(m_recent, &RecentFilesMenu::Chosen, this, [this](QString path) { OpenFile(path); });
    m_openButton = new QToolButton(toolbar);
    m_openButton->setDefaultAction(open);
    m_openButton->setMenu(m_recent->Menu());
    m_openButton->setPopupMode(QToolButton::MenuButtonPopup);
    toolbar->addWidget(m_openButton);

    m_saveAction = toolbar->addAction(QStringLiteral("Save"));
    m_saveAction->setObjectName(QStringLiteral("save"));
    m_saveAction->setToolTip(QStringLiteral("Save TXT file"));
    connect(m_saveAction, &QAction::triggered, this, [this] { SaveFile(); });
    toolbar->addSeparator();
    QAction* zorv = toolbar->addAction(QStringLiteral("Zorv"));
    zorv->setObjectName(QStringLiteral("zorv"));
    zorv->setToolTip(QStringLiteral("Run the Zorv game"));
    connect(zorv, &QAction::triggered, this, &frmTXTEditor::StartGame);
    QAction* desc = toolbar->addAction(QStringLiteral("Text Res"));
    desc->setObjectName(QStringLiteral("desc"));
    desc->setToolTip(QStringLiteral("Text resource editor"));
    connect(desc, &QAction::triggered, this, [this] {
        if (const TextEditorOpener& opener = InstalledTextEditorOpener())
            opener(this);
    });
}

void frmTXTEditor::BuildPopupMenu() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnuPopup"));
    m_addAction = m_popup->addAction(QStringLiteral("Add..."));
    m_popup->addSeparator();
    m_copyAction = m_popup->addAction(QStringLiteral("Copy"));
    m_cutAction = m_popup->addAction(QStringLiteral("Cut"));
    m_pasteAction = m_popup->addAction(QStringLiteral("Paste..."));
    m_popup->addSeparator();
    m_deleteAction = m_popup->addAction(QStringLiteral("Delete..."));
    connect(m_addAction, &QAction::triggered, this, [this] {
        if (m_document.IsOpen())
            InsertObject(nullptr, kNone);
    });
    connect(m_copyAction, &QAction::triggered, this, &frmTXTEditor::CopyObject);
    connect(m_cutAction, &QAction::triggered, this, &frmTXTEditor::CutObject);
    connect(m_pasteAction, &QAction::triggered, this, &frmTXTEditor::PasteObject);
    connect(m_deleteAction, &QAction::triggered, this, &frmTXTEditor::DeleteObject);
}

QWidget* frmTXTEditor::BuildListSide() {
    auto* left = new QWidget(this);
    auto* layout = new QVBoxLayout(left);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* options = new QHBoxLayout;
    const char* captions[] = {"Name", "Race", "ID"};
    for (int index = 0; index < 3; ++index) {
        m_rbName[index] = new QRadioButton(QString::fromLatin1(captions[index]), left);
        m_rbName[index]->setObjectName(QStringLiteral("rbName%1").arg(index));
        options->addWidget(m_rbName[index]);
        connect(m_rbName[index], &QRadioButton::clicked, this,
                [this, index] { SetNameIndex(index); });
    }
    options->addStretch();
    m_chkSort = new QCheckBox(QStringLiteral("Sorted"), left);
    m_chkSort->setObjectName(QStringLiteral("chkSort"));
    connect(m_chkSort, &QCheckBox::clicked, this, &frmTXTEditor::FillObjectList);
    options->addWidget(m_chkSort);
    layout->addLayout(options);

    m_objectView = new QTreeView(left);
    m_objectView->setObjectName(QStringLiteral("ObjectView"));
    m_objectView->setRootIsDecorated(false);
    m_objectView->setUniformRowHeights(true);
    m_objectView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_objectView->setModel(m_model);
    m_objectView->header()->setStretchLastSection(true);
    m_objectView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_objectView->installEventFilter(this);
    m_objectView->viewport()->installEventFilter(this);
    m_objectView->viewport()->setAcceptDrops(true);
    connect(m_objectView, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        m_popup->popup(m_objectView->viewport()->mapToGlobal(point));
    });
    platform::OnChosenRowChanged(m_objectView, this, [this] { SelectListItem(); });
    layout->addWidget(m_objectView, 1);
    return left;
}

QWidget* frmTXTEditor::BuildRawDataPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_objectDataView = new QTreeWidget(page);
    m_objectDataView->setObjectName(QStringLiteral("ObjectDataView"));
    m_objectDataView->setRootIsDecorated(false);
    m_objectDataView->setUniformRowHeights(true);
    m_objectDataView->setHeaderLabels({QStringLiteral("[off]"), QStringLiteral("Value")});
    m_objectDataView->header()->resizeSection(0, 60);
    m_objectDataView->installEventFilter(this);
    connect(m_objectDataView, &QTreeWidget::itemDoubleClicked, this, &frmTXTEditor::EditRawData);
    layout->addWidget(m_objectDataView, 1);

    auto* watch = new QHBoxLayout;
    watch->addWidget(new QLabel(QStringLiteral("Watch from offset"), page));
    m_watchFrom = new QLineEdit(page);
    m_watchFrom->setObjectName(QStringLiteral("WatchFrom"));
    watch->addWidget(m_watchFrom);
    watch->addWidget(new QLabel(QStringLiteral("to"), page));
    m_watchTo = new QLineEdit(page);
    m_watchTo->setObjectName(QStringLiteral("WatchTo"));
    watch->addWidget(m_watchTo);
    for (QLineEdit* field : {m_watchFrom, m_watchTo}) {
        mdlComFunctions::SetWindowStyle(field);
        field->setMaximumWidth(70);
        connect(field, &QLineEdit::textChanged, this, &frmTXTEditor::FillWatchList);
    }
    watch->addStretch();
    layout->addLayout(watch);
    m_watchList = new QListWidget(page);
    m_watchList->setObjectName(QStringLiteral("WatchList"));
    m_watchList->setMaximumHeight(110);
    layout->addWidget(m_watchList);
    return page;
}

void frmTXTEditor::MyShow(bool modal, QWidget* owner) {
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags() | Qt::Window);
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    show();
}

void frmTXTEditor::OpenFile(QString& path) {
    try {
        if (m_document.IsDirty() &&
            !AskToSave(QStringLiteral("You have changed data in file %1\nDo you want to save "
                                      "your changes?")
                           .arg(mdlComFunctions::GetFileTitle(m_document.FileName()))))
            return;
        if (path.isEmpty()) {
            m_dialog->InitDir = mdlCommon::Settings().ZorvPath();
            m_dialog->FileName = m_recent->Latest();
            m_dialog->filter = kOpenFilter;
            m_dialog->DialogTitle = QStringLiteral("Open");
            if (!m_dialog->ShowOpen())
                return;
            path = m_dialog->FileName;
        }
        // Painted once when it shows the new file, not while the wait window
        // closes over the old one.
        const UpdatesPaused paused(centralWidget());
        QString error;
        TFileDocument::OpenResult result;
        {
            mdlCommon::WaitScope wait(QStringLiteral("Loading file..."), this);
            result = m_document.Open(path, error);
        }
        switch (result) {
        case TFileDocument::OpenResult::NotOpened:
            m_prompts.tell(QStringLiteral("Error opening file: \n\n") + error,
                           PromptIcon::Exclamation);
            m_recent->Remove(path);
            break;
        case TFileDocument::OpenResult::NotLoaded:
            m_prompts.tell(QStringLiteral("Error loading from file: \n\n") + error,
                           PromptIcon::Exclamation);
            m_recent->Remove(path);
            break;
        case TFileDocument::OpenResult::Loaded:
            // A cut object can no longer be taken out of the file it was cut from.
            if (m_clipboardMode == kCut)
                SetClipboard(nullptr, kNone);
            m_recent->Add(path);
            m_selected = nullptr;
            SelectFileType(path);
            EnableFileCommands(true);
            FillObjectList();
            break;
        }
        UpdateCaption();
    } catch (const std::exception& error) {
        m_prompts.tell(QStringLiteral("Error loading file: ") + ErrorText(error),
                       PromptIcon::Critical);
    }
}

bool frmTXTEditor::AskToSave(const QString& question) {
    switch (m_prompts.ask(question, PromptIcon::Exclamation, PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes:
        SaveFile();
        return false;
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void frmTXTEditor::SelectFileType(const QString& path) {
    // The panel that claims the next file too stays shown: hiding and showing
    // it again would lay its page out twice. It is hidden as the others are
    // when it cannot take the file.
    EditingPanel* claimant = nullptr;
    try {
        const QString title = mdlComFunctions::GetFileTitle(path, true);
        int32_t kind = 0;
        m_panel = title.isEmpty() ? nullptr : PanelClaims::Claim(m_panels, title, kind);
        m_typeId = m_panel ? kind : 0;
        for (EditingPanel* panel : m_panels)
            if (panel != m_panel)
                panel->setVisible(false);
        claimant = m_panel;
        const bool claimed = m_panel != nullptr;
        QString pageName;
        int32_t info = 0;
        if (m_panel) {
            m_document.SetKind(m_typeId);
            pageName = m_panel->PageName(m_typeId);
            if (!m_panel->Init(m_document)) {
                m_panel->setVisible(false);
                m_prompts.tell(m_panel->GetLastError(), PromptIcon::Critical);
                m_panel = nullptr;
            } else {
                info = m_panel->ZorvQueryInfo(m_typeId);
                QString errorText;
                bool valid = m_panel->Validate(errorText);
                clsTxtParser& parser = m_document.Parser();
                if (parser.LineCount() != parser.objects.count()) {
                    errorText =
                        HeaderWarning(parser.LineCount(), parser.objects.count(), errorText);
                    valid = false;
                }
                if (!valid) {
                    auto* report = new frmText(this);
                    report->SetText(errorText);
                    report->MyShow(QStringLiteral("Errors in file data"), false, this);
                }
            }
        }
        m_model->SetPanel(m_panel);
        if (m_panel)
            m_panel->setVisible(true);
        m_mainTab->setTabVisible(1, claimed);
        if (m_mainTab->tabText(1) != pageName)
            m_mainTab->setTabText(1, pageName);
        m_mainTab->setCurrentIndex(claimed ? 1 : 0);
        m_model->SetClassColumn(info & EditingPanel::kClassColumnBit);
    } catch (const std::exception& error) {
        if (claimant)
            claimant->setVisible(false);
        m_prompts.tell(QStringLiteral("Error in SelectFileType: ") + ErrorText(error),
                       PromptIcon::Critical);
    }
}

bool frmTXTEditor::SaveFile() {
    if (!m_document.IsOpen())
        return false;
    try {
        m_dialog->filter = kSaveFilter;
        m_dialog->FileName = m_document.FileName();
        m_dialog->DialogTitle = QStringLiteral("Save");
        if (!m_dialog->ShowSave())
            return false;
        const QString name = m_dialog->FileName;
        if (mdlZorvFD::ZorvFD_FileExists(name) &&
            !m_prompts.confirm(name + QStringLiteral(" already exist.\nDo you want to replace it?"),
                               PromptIcon::Question))
            return false;
        const int32_t typeCode = m_dialog->FilterIndex == 1   ? 1
                                 : m_dialog->FilterIndex == 2 ? 2
                                                              : 0;
        QString error;
        TFileDocument::SaveResult result;
        {
            mdlCommon::WaitScope wait(QStringLiteral("Saving file..."), this);
            result = m_document.Save(name, typeCode, error);
        }
        switch (result) {
        case TFileDocument::SaveResult::NotOpened:
            m_prompts.tell(QStringLiteral("Error opening file: \n\n") + error,
                           PromptIcon::Critical);
            return false;
        case TFileDocument::SaveResult::NotWritten:
            m_prompts.tell(QStringLiteral("Error writing data to file: \n\n") + error,
                           PromptIcon::Critical);
            return false;
        case TFileDocument::SaveResult::Saved:
            break;
        }
        m_recent->Add(name);
        UpdateCaption();
        return true;
    } catch (const std::exception& error) {
        m_prompts.tell(ErrorText(error), PromptIcon::Critical);
        return false;
    }
}

QString frmTXTEditor::KindName() const {
    if (!m_panel)
        return QStringLiteral("unknown");
    try {
        const QString name = m_panel->ObjectTypeName(m_typeId);
        return name.isEmpty() ? QStringLiteral("unknown") : name;
    } catch (const std::exception&) {
        return QStringLiteral("[error getting object name]");
    }
}

void frmTXTEditor::UpdateCaption() {
    QString caption = kTitle;
    if (m_document.IsOpen()) {
        caption += QStringLiteral(" - [") + m_document.FileName() + QStringLiteral(" (") +
                   KindName() + QStringLiteral(")]");
        if (m_document.IsDirty())
            caption += QStringLiteral(" *");
    }
    setWindowTitle(caption);
}

void frmTXTEditor::EnableFileCommands(bool on) {
    for (QAction* action : {m_saveAction, m_deleteAction, m_addAction, m_copyAction, m_cutAction})
        action->setEnabled(on);
    UpdatePasteState();
}

void frmTXTEditor::UpdatePasteState() {
    m_pasteAction->setEnabled(m_clipboard && m_clipboardMode != kNone);
    if (m_clipboard && m_clipboardMode == kCut)
        m_copyAction->setEnabled(false);
    else
        m_copyAction->setEnabled(m_saveAction->isEnabled());
}

void frmTXTEditor::SetClipboard(const TFileDocument::Record& record, int32_t mode) {
    m_clipboard = record;
    m_clipboardMode = record ? mode : kNone;
    m_clipboardFile = record ? m_document.SharedParser() : nullptr;
    UpdatePasteState();
}

void frmTXTEditor::StartGame() {
    const QString executable = mdlCommon::Settings().ZorvEXEPath();
    if (executable.isEmpty()) {
        m_prompts.tell(
            QStringLiteral("Program cannot found registry entry of the Zorv - Tessarine. You will "
                           "have to specify path to the game executable in the Settings window."),
            PromptIcon::Exclamation);
        return;
    }
    // The game runs in its own folder, where it finds its data.
    QString error;
    platform::StartDetached(executable, {}, error, mdlComFunctions::GetFileDir(executable));
}

void frmTXTEditor::FillObjectList() {
    const TFileDocument::Record remembered = m_selected;
    const clsTxtParser& parser = m_document.Parser();
    m_model->Fill(m_chkSort->isChecked() ? parser.objects : parser.UnsortedObjects);
    // Laid out here, not by the paint: a paint that lays the rows out asks
    // for another, and the whole list is painted twice.
    m_objectView->doItemsLayout();
    FitObjectColumns();
    const int row = remembered ? m_model->RowOf(remembered.get()) : -1;
    UpdateObjectCount();
    SelectRow(row);
}

// Both columns fit their texts, the class column stretched over the rest of
// the list. A changed or added record only widens the name column, so an
// edit costs one row.
void frmTXTEditor::FitObjectColumns(const clsTXTObject* record) {
    if (m_model->columnCount() < 2)
        return;
    if (!record) {
        FitObjectColumn(1);
        FitObjectColumn(0);
        return;
    }
    const int row = m_model->RowOf(record);
    const int width = row < 0 ? 0 : m_objectView->sizeHintForIndex(m_model->index(row, 0)).width();
    if (width > m_objectView->columnWidth(0))
        m_objectView->setColumnWidth(0, width);
}

// Every row is weighed, not only the thousand a view sizing to its contents
// looks at, so no text further down is cut; only the widest few are laid out.
void frmTXTEditor::FitObjectColumn(int column) {
    constexpr int kMeasuredRows = 8;
    int width = m_objectView->header()->sectionSizeHint(column);
    for (const int row : m_model->WidestRows(column, m_objectView->fontMetrics(), kMeasuredRows))
        width =
            std::max(width, m_objectView->sizeHintForIndex(m_model->index(row, column)).width());
    m_objectView->setColumnWidth(column, width);
}

void frmTXTEditor::SetNameIndex(int32_t index) {
    m_model->SetNameIdx(index);
    FillObjectList();
}

void frmTXTEditor::SelectRow(int row) {
    QItemSelectionModel* selection = m_objectView->selectionModel();
    {
        const QSignalBlocker blocker(selection);
        if (row < 0) {
            selection->clear();
        } else {
            const QModelIndex index = m_model->index(row, 0);
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
            m_objectView->scrollTo(index);
        }
    }
    m_objectView->viewport()->update();
    SelectListItem();
}

void frmTXTEditor::SelectListItem() {
    const QModelIndex row = platform::ChosenRow(m_objectView);
    SetSelectedObject(row.isValid() ? m_model->RecordAt(row.row()) : nullptr);
}

void frmTXTEditor::SetSelectedObject(const TFileDocument::Record& record) {
    m_selected = record;
    ShowSelectedObject(record, false);
}

void frmTXTEditor::ShowSelectedObject(const TFileDocument::Record& record, bool withoutPanel) {
    try {
        FillRawData(record);
        m_lblObjectName->setText(record ? m_model->DisplayName(*record) : QString());
        m_indexPanel->setText(
            record ? QStringLiteral("Selected object index: %1").arg(record->Index()) : QString());
        if (m_panel && !withoutPanel)
            m_panel->ShowObject(record, m_typeId);
    } catch (const std::exception& error) {
        m_prompts.tell(QStringLiteral("Error showing object: ") + ErrorText(error),
                       PromptIcon::Critical);
    }
}

void frmTXTEditor::FillRawData(const TFileDocument::Record& record) {
    const int selected = mdlCommon::GetSelectedIndex(m_objectDataView);
    m_objectDataView->setUpdatesEnabled(false);
    m_objectDataView->clear();
    if (record) {
        const int32_t size = record->size();
        QList<QTreeWidgetItem*> rows;
        rows.reserve(size);
        for (int32_t index = 0; index < size; ++index) {
            auto* row = new QTreeWidgetItem(
                {QString::number(index), tfiles::ValueText(record->Value(index))});
            if (index == size - 1)
                row->setData(0, mdlCommon::kRowTagRole, kNameTag);
            rows << row;
        }
        m_objectDataView->addTopLevelItems(rows);
        // Laid out here, not by the paint, which would paint the rows twice.
        m_objectDataView->doItemsLayout();
        if (selected > 0)
            mdlCommon::SelectListIndex(m_objectDataView, selected);
    }
    m_objectDataView->setUpdatesEnabled(true);
    FillWatchList();
}

void frmTXTEditor::FillWatchList() {
    m_watchList->clear();
    bool fromOk = false;
    bool toOk = false;
    const int from = m_watchFrom->text().toInt(&fromOk);
    int to = m_watchTo->text().toInt(&toOk);
    if (!fromOk || !toOk || !m_selected)
        return;
    to = std::min(to, m_selected->size() - 1);
    for (int index = std::max(from, 0); index <= to; ++index)
        m_watchList->addItem(
            QStringLiteral("%1. %2").arg(index).arg(tfiles::ValueText(m_selected->Value(index))));
}

void frmTXTEditor::UpdateObjectCount() {
    m_countPanel->setText(QStringLiteral("%1 objects").arg(m_model->rowCount()));
}

void frmTXTEditor::ObjectChanged(TFileDocument::Record record) {
    m_model->RefreshRecord(record.get());
    FitObjectColumns(record.get());
    if (record && record == m_selected)
        ShowSelectedObject(record, true);
    UpdateCaption();
}

void frmTXTEditor::ObjectRemoved(TFileDocument::Record record) {
    m_model->RemoveRecord(record.get());
    // A paste must never copy or move a line that left its file.
    if (record == m_clipboard)
        SetClipboard(nullptr, kNone);
}

void frmTXTEditor::EditRawData() {
    QTreeWidgetItem* row = platform::ChosenItem(m_objectDataView);
    if (!row || !m_selected)
        return;
    try {
        frmEdit dialog(m_document, this);
        if (row->data(0, mdlCommon::kRowTagRole).toString() == kNameTag)
            dialog.ShowName(m_selected, m_document.Parser().objects);
        else
            dialog.ShowProperty(nullptr, m_selected, m_typeId,
                                m_objectDataView->indexOfTopLevelItem(row));
        if (dialog.ModalResult != frmEdit::kCancel) {
            m_model->RefreshRecord(m_selected.get());
            UpdateCaption();
            SetSelectedObject(m_selected);
        }
    } catch (const std::exception& error) {
        m_prompts.tell(QStringLiteral("EditRawData: ") + ErrorText(error), PromptIcon::Critical);
    }
}

void frmTXTEditor::CopyObject() {
    if (m_selected)
        SetClipboard(m_selected, kCopy);
}

void frmTXTEditor::CutObject() {
    if (m_selected)
        SetClipboard(m_selected, kCut);
}

void frmTXTEditor::PasteObject() {
    if (m_clipboard)
        InsertObject(m_clipboard, m_clipboardMode);
}

void frmTXTEditor::InsertObject(TFileDocument::Record source, int32_t mode) {
    if (!m_panel) {
        m_prompts.tell(
            QStringLiteral("This type of file is not recognized. You cannot add objects to it."),
            PromptIcon::Exclamation);
        return;
    }
    if (source && source->otype != m_typeId) {
        m_prompts.tell(QStringLiteral("Cannot insert: object types are different."),
                       PromptIcon::Exclamation);
        return;
    }
    bool before = false;
    if (m_selected) {
        switch (m_prompts.ask(
            QStringLiteral("Do you want to insert new object before currenty selected "
                           "object?\n\nPress Yes to insert object before the current "
                           "one.\nPress No to add object at the end."),
            PromptIcon::Question, PromptButtons::YesNoCancel)) {
        case PromptAnswer::Yes:
            before = true;
            break;
        case PromptAnswer::No:
            break;
        default:
            return;
        }
    }
    if (m_chkSort->isChecked() && before) {
        m_prompts.tell(
            QStringLiteral("You cannot insert object into sorted list.\nUncheck the Sort checkbox "
                           "and insert the object again."),
            PromptIcon::Exclamation);
        return;
    }
    const TFileDocument::Record beforeObject = before ? m_selected : nullptr;
    const TFileDocument::LineMaker maker{
        [this](const TFileDocument::Record& at) {
            return m_panel->CreateObject(m_typeId, m_document, at);
        },
        [this](const TFileDocument::Record& record) { m_panel->InitObject(record); }};
    QString error;
    const TFileDocument::Record created =
        m_document.InsertObject(beforeObject, source, m_typeId, mode == kCut, maker, error);
    if (!created) {
        m_prompts.tell(QStringLiteral("Error creating object"), PromptIcon::Critical);
        return;
    }
    m_model->InsertRecord(created, beforeObject ? m_model->RowOf(beforeObject.get()) : -1);
    FitObjectColumns(created.get());
    if (source && mode == kCut) {
        RemoveTXTObject(source);
        SetClipboard(nullptr, kNone);
    }
    SelectRow(m_model->RowOf(created.get()));
    UpdateCaption();
    UpdateObjectCount();
}

void frmTXTEditor::DeleteObject() {
    if (!m_selected)
        return;
    try {
        if (m_prompts.confirm(
                QStringLiteral("Do you really want to delete the selected object %1 ?")
                    .arg(m_selected->ObjectName()),
                PromptIcon::Question))
            RemoveTXTObject(m_selected);
    } catch (const std::exception& error) {
        m_prompts.tell(QStringLiteral("Error in DeleteObject: ") + ErrorText(error),
                       PromptIcon::Critical);
    }
}

bool frmTXTEditor::RemoveTXTObject(TFileDocument::Record record) {
    if (m_panel && !m_panel->RemoveObject(record)) {
        m_prompts.tell(QStringLiteral("Error removing object from control."), PromptIcon::Critical);
        return false;
    }
    QString error;
    if (!m_document.RemoveObject(record, error)) {
        m_prompts.tell(QStringLiteral("Error removing object."), PromptIcon::Critical);
        return false;
    }
    UpdateObjectCount();
    UpdateCaption();
    SelectListItem();
    return true;
}

void frmTXTEditor::ShowFind() {
    if (m_find) {
        m_find->raise();
        m_find->activateWindow();
        return;
    }
    m_find = new frmFind(this);
    connect(m_find, &frmFind::OnFindNext, this,
            [this](bool wholeWords, bool, QString& data, QVariant& tag, bool& found) {
                FindNext(wholeWords, data, tag, found);
            });
    m_find->ShowFind(false, this);
}

void frmTXTEditor::FindNext(bool wholeWords, QString& text, QVariant& position, bool& found) {
    const int count = m_model->rowCount();
    if (count == 0)
        return;
    const QModelIndex selected = platform::ChosenRow(m_objectView);
    int start = selected.isValid() ? selected.row() + 1 : 1;
    if (position.toInt() == start)
        ++start;
    for (int item = start; item <= count; ++item) {
        const QString itemText = m_model->ItemText(*m_model->RecordAt(item - 1));
        const bool match = wholeWords ? QString::compare(itemText, text, Qt::CaseInsensitive) == 0
                                      : itemText.contains(text, Qt::CaseInsensitive);
        if (match) {
            found = true;
            position = item;
            SelectRow(item - 1);
            return;
        }
    }
}

bool frmTXTEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The lists take Ctrl+F themselves when the window's shortcut is not
        // active yet.
        if (key->key() == Qt::Key_F && key->modifiers() & Qt::ControlModifier) {
            ShowFind();
            return true;
        }
        if (watched == m_objectView && key->key() == Qt::Key_Delete) {
            DeleteObject();
            return true;
        }
        if (watched == m_objectDataView &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            EditRawData();
            return true;
        }
    }
    if (watched == m_objectView->viewport()) {
        QString path;
        if (mdlComFunctions::TakeFileDrop(event, path)) {
            if (!path.isEmpty())
                OpenFile(path);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmTXTEditor::closeEvent(QCloseEvent* event) {
    if (mdlCommon::IsBusy(this)) {
        event->ignore();
        return;
    }
    if (m_document.IsDirty()) {
        const QString question =
            QStringLiteral("You have changed data in file %1\n\nDo you want to save your changes?")
                .arg(mdlComFunctions::GetFileTitle(m_document.FileName()));
        switch (m_prompts.ask(question, PromptIcon::Exclamation, PromptButtons::YesNoCancel)) {
        case PromptAnswer::Yes:
            if (!SaveFile()) {
                event->ignore();
                return;
            }
            break;
        case PromptAnswer::No:
            break;
        default:
            event->ignore();
            return;
        }
    }
    mdlCommon::Settings().SaveRegValue(QStringLiteral("Sort"), m_chkSort->isChecked() ? 1 : 0);
    mdlCommon::Settings().SaveRegValue(QStringLiteral("NameIdx"), m_model->NameIdx());
    mdlCommon::Settings().SaveRecentTFiles(m_recent->Files());
    if (m_find)
        m_find->close();
    event->accept();
}
