#include "resources/widgets/frmResEditor.h"

#include "common/mdlCommonGlobals.h"
#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/widgets/ZorvFileDialog.h"
#include "platform/Prompts.h"
#include "platform/widgets/ChosenRow.h"
#include "platform/widgets/DialogRunner.h"
#include "resources/clsDescServer.h"
#include "resources/clsPage.h"
#include "resources/clsString.h"
#include "resources/widgets/ResEditorPresentation.h"
#include "resources/widgets/ResPageListModel.h"
#include "resources/widgets/ResTextListModel.h"
#include "resources/widgets/TextCellDelegate.h"
#include "resources/widgets/frmNewXML.h"
#include "resources/widgets/frmPageEdit.h"
#include "resources/widgets/frmResMerge.h"
#include "resources/widgets/frmStringEdit.h"
#include "shell/mdlComFunctions.h"
#include "shell/widgets/frmFind.h"
#include "shell/widgets/frmText.h"
#include "shell/widgets/frmWait.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Text Resource Editor");
const QString kTextsReadOnly = QStringLiteral("Texts loaded in memory cannot be modified. \n"
                                              "Open the appropriate file and edit them there.");
const QString kPagesReadOnly = QStringLiteral("Pages loaded in memory cannot be modified. \n"
                                              "Open the appropriate file and edit them there.");
const QString kPageEditReadOnly =
    QStringLiteral("Pages loaded in memory cannot be modified.\n"
                   "Open the appropriate file via the Open command and edit them there.");
const QString kOpenFilter = QStringLiteral(
    "Zorv Resource Files (*.xml; *.pck; *.cat)|*.xml;*.pck;*.cat|All Files (*.*)|*.*");
const QString kSaveFilter = QStringLiteral("Zorv Resource Files - plain (*.xml)|*.xml|"
                                           "Zorv Resource Files - packed (*.pck)|*.pck");
// Neither list may be narrower than 2000 twips.
constexpr int kMinListWidth = 2000 / 15;

QTreeView* MakeList(QWidget* parent, const QString& name) {
    auto* list = new QTreeView(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setMinimumWidth(kMinListWidth);
    list->setItemDelegate(new TextCellDelegate(list));
    return list;
}

int SelectedRow(const QTreeView* list) {
    const QModelIndex row = platform::ChosenRow(list);
    return row.isValid() ? row.row() : -1;
}

} // namespace

frmResEditor::frmResEditor(QWidget* parent) : QMainWindow(parent), m_prompts(kTitle, this) {
    setObjectName(QStringLiteral("frmResEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    Dialog = new ZorvFileDialog(this);
    BuildToolbar();
    BuildLists();
    BuildMenus();
    BarPages = new QLabel(this);
    BarPages->setMinimumWidth(100);
    BarLines = new QLabel(this);
    statusBar()->addWidget(BarPages);
    statusBar()->addWidget(BarLines, 1);

    connect(&m_document, &ResEditorDocument::stateChanged, this, &frmResEditor::UpdateCaption);
    connect(&m_document, &ResEditorDocument::documentReplaced, this, [this] {
        TakeSelectedPage();
        ShowPageCount();
    });
    connect(&m_document, &ResEditorDocument::pageAdded, this, &frmResEditor::ShowPageCount);
    connect(&m_document, &ResEditorDocument::pageRemoved, this, [this] {
        ShowPageCount();
        TakeSelectedPage();
    });
    connect(&m_document, &ResEditorDocument::pageChanged, this, [this] {
        if (m_selectedPage) {
            lblName->setText(m_selectedPage->Name);
            lblDesc->setText(m_selectedPage->desc);
        }
    });
    connect(&m_document, &ResEditorDocument::textRemoved, this, [this] { FillTextList(false); });
    connect(&m_document, &ResEditorDocument::textChanged, this,
            [this] { SetSelectedString(m_selectedString); });
    connect(&m_document, &ResEditorDocument::textAdded, this, [this] {
        if (m_selectedPage)
            BarLines->setText(QString::number(m_selectedPage->Strings.count()) + " lines");
    });
    resize(820, 560);
    UpdateCaption();
}

frmResEditor::~frmResEditor() {
    // The lists die first, and a dying list must not reach the filter.
    PageView->viewport()->removeEventFilter(this);
    PageView->removeEventFilter(this);
    TextView->removeEventFilter(this);
    // The lists and their models read the document, which goes before the
    // window's children.
    delete Splitter;
    delete m_pageModel;
    delete m_textModel;
}

void frmResEditor::BuildToolbar() {
    MainToolbar = addToolBar(QStringLiteral("Main"));
    MainToolbar->setObjectName(QStringLiteral("MainToolbar"));
    MainToolbar->setMovable(false);
    MainToolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    actNew = MainToolbar->addAction(QStringLiteral("New "), this, &frmResEditor::NewDocument);
    actNew->setToolTip(QStringLiteral("Create new XML file"));

    auto* openMenu = new QMenu(this);
    actOpen2 = openMenu->addAction(QStringLiteral("Open file"), this, [this] { OpenFile(); });
    actMem = openMenu->addAction(QStringLiteral("Show pages in memory"), this,
                                 &frmResEditor::ShowPagesInMemory);
    btnOpen = new QToolButton(this);
    btnOpen->setObjectName(QStringLiteral("btnOpen"));
    btnOpen->setText(QStringLiteral("Open"));
    btnOpen->setToolTip(QStringLiteral("Open XML file"));
    btnOpen->setMenu(openMenu);
    btnOpen->setPopupMode(QToolButton::MenuButtonPopup);
    connect(btnOpen, &QToolButton::clicked, this, [this] { OpenFile(); });
    MainToolbar->addWidget(btnOpen);

    actSave = MainToolbar->addAction(QStringLiteral("Save"), this, [this] { Save(); });
    actSave->setToolTip(QStringLiteral("Save XML file"));
    actMerge = MainToolbar->addAction(QStringLiteral("Merge"), this, &frmResEditor::Merge);
    actMerge->setToolTip(QStringLiteral("Merge multiple files"));
    actReload = MainToolbar->addAction(QStringLiteral("Reload"), this, &frmResEditor::Reload);
    actReload->setToolTip(QStringLiteral("Reload pages in memory"));
    MainToolbar->addSeparator();
    chkRawtext = new QCheckBox(QStringLiteral("Format texts"), this);
    chkRawtext->setObjectName(QStringLiteral("chkRawtext"));
    chkRawtext->setToolTip(QStringLiteral("Process special control characters"));
    MainToolbar->addWidget(chkRawtext);
    connect(chkRawtext, &QCheckBox::toggled, this, [this](bool formatted) {
        m_textModel->SetFormatted(formatted);
        FillTextList(true);
    });
}

void frmResEditor::BuildLists() {
    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setChildrenCollapsible(false);

    PageView = MakeList(Splitter, QStringLiteral("PageView"));
    m_pageModel = new ResPageListModel(m_document, this);
    PageView->setModel(m_pageModel);
    PageView->setColumnWidth(0, 60);
    PageView->setAcceptDrops(true);
    PageView->viewport()->setAcceptDrops(true);
    PageView->viewport()->installEventFilter(this);
    PageView->installEventFilter(this);

    auto* right = new QWidget(Splitter);
    right->setMinimumWidth(kMinListWidth);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    lblName = new QLabel(right);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont bold = lblName->font();
    bold.setBold(true);
    lblName->setFont(bold);
    lblDesc = new QLabel(right);
    lblDesc->setObjectName(QStringLiteral("lblDesc"));
    TextView = MakeList(right, QStringLiteral("TextView"));
    m_textModel = new ResTextListModel(m_document, this);
    TextView->setModel(m_textModel);
    TextView->setColumnWidth(0, 60);
    TextView->installEventFilter(this);
    TextEdit = new QPlainTextEdit(right);
    TextEdit->setObjectName(QStringLiteral("TextEdit"));
    TextEdit->setReadOnly(true);
    TextEdit->setFixedHeight(90);
    column->addWidget(lblName);
    column->addWidget(lblDesc);
    column->addWidget(TextView, 1);
    column->addWidget(TextEdit);
    Splitter->setStretchFactor(0, 1);
    Splitter->setStretchFactor(1, 2);
    setCentralWidget(Splitter);

    platform::OnChosenRowChanged(PageView, this, [this] { TakeSelectedPage(); });
    platform::OnChosenRowChanged(TextView, this, [this] {
        if (m_selectedPage)
            SetSelectedString(m_textModel->TextAt(SelectedRow(TextView)));
    });
    connect(PageView, &QTreeView::doubleClicked, this, &frmResEditor::mnuPageEdit_Click);
    connect(TextView, &QTreeView::doubleClicked, this, &frmResEditor::mnuStrEdit_Click);
}

void frmResEditor::BuildMenus() {
    mnuPage = new QMenu(this);
    mnuPageNew =
        mnuPage->addAction(QStringLiteral("Add page..."), this, &frmResEditor::mnuPageNew_Click);
    mnuPageEdit =
        mnuPage->addAction(QStringLiteral("Edit page"), this, &frmResEditor::mnuPageEdit_Click);
    mnuPage->setDefaultAction(mnuPageEdit);
    mnuPage->addSeparator();
    mnuPageDel =
        mnuPage->addAction(QStringLiteral("Delete page..."), this, &frmResEditor::mnuPageDel_Click);
    mnuStr = new QMenu(this);
    mnuStrNew =
        mnuStr->addAction(QStringLiteral("Add text..."), this, &frmResEditor::mnuStrNew_Click);
    mnuStrEdit =
        mnuStr->addAction(QStringLiteral("Edit text"), this, &frmResEditor::mnuStrEdit_Click);
    mnuStr->setDefaultAction(mnuStrEdit);
    mnuStr->addSeparator();
    mnuStrDel =
        mnuStr->addAction(QStringLiteral("Delete text..."), this, &frmResEditor::mnuStrDel_Click);
    connect(PageView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        OpenPopup(mnuPage, PageView->viewport()->mapToGlobal(at));
    });
    connect(TextView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { OpenPopup(mnuStr, TextView->viewport()->mapToGlobal(at)); });
}

void frmResEditor::OpenPopup(QMenu* menu, const QPoint& at) {
    const bool shown = !m_document.DocName().isEmpty();
    for (QAction* action : menu->actions())
        action->setEnabled(shown);
    menu->popup(at);
}

void frmResEditor::MyShow(bool modal, QWidget* owner) {
    ShowPagesInMemory();
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags() | Qt::Window);
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    show();
}

bool frmResEditor::Refuse(const QString& text) {
    if (!m_document.MemoryMode())
        return false;
    m_prompts.tell(text, platform::PromptIcon::Information);
    return true;
}

bool frmResEditor::ConfirmDiscard(bool closing) {
    if (!m_document.Modified())
        return true;
    switch (m_prompts.ask(ResEditorPresentation::SavePromptText(m_document.DocName(), closing),
                          platform::PromptIcon::Exclamation,
                          platform::PromptButtons::YesNoCancel)) {
    case platform::PromptAnswer::No:
        return true;
    case platform::PromptAnswer::Yes:
        // The user starts the pending action again after the save; closing
        // goes on when the save worked.
        return Save() && closing;
    default:
        return false;
    }
}

void frmResEditor::OpenFile(const QString& file) {
    if (!ConfirmDiscard(false))
        return;
    QString path = file;
    if (path.isEmpty()) {
        const QString last = mdlCommon::Settings().LastOpenedXMLFile();
        Dialog->FileName = last;
        if (last.isEmpty())
            Dialog->InitDir = mdlCommon::Settings().ZorvPath();
        Dialog->filter = kOpenFilter;
        if (!Dialog->ShowOpen())
            return;
        path = Dialog->FileName;
    }
    QString error;
    if (m_document.Open(path, error))
        mdlCommon::Settings().SetLastOpenedXMLFile(path);
    else
        m_prompts.tell("Error opening file: " + error, platform::PromptIcon::Exclamation);
}

void frmResEditor::ShowPagesInMemory() {
    if (ConfirmDiscard(false))
        m_document.ShowMemory();
}

void frmResEditor::NewDocument() {
    if (!ConfirmDiscard(false))
        return;
    frmNewXML dialog(this);
    dialog.ShowNewFile();
    platform::RunModal(dialog);
    if (dialog.ModalResult != 1)
        return;
    const QString path =
        mdlComFunctions::BuildPath(mdlCommon::Settings().ZorvPath(), "t", dialog.FileName);
    QString error;
    if (!m_document.New(dialog.LangID, path, error))
        m_prompts.tell("Error creating new XML document.\n" + error,
                       platform::PromptIcon::Critical);
}

void frmResEditor::Merge() {
    if (!ConfirmDiscard(false))
        return;
    frmResMerge dialog(this);
    if (!dialog.MyShow())
        return;
    platform::RunModal(dialog);
    if (dialog.ModalResult != 1)
        return;
    QString error;
    bool merged = false;
    {
        mdlCommon::WaitScope wait(QStringLiteral("Creating XML document, please wait..."), this);
        merged = m_document.Merge(std::move(dialog.DS), dialog.LangID, error);
    }
    if (!merged)
        m_prompts.tell(error, platform::PromptIcon::Critical);
}

bool frmResEditor::Save() {
    if (m_document.MemoryMode())
        return false;
    Dialog->FilterIndex = 1;
    if (m_document.FileName().isEmpty()) {
        Dialog->FileName.clear();
        Dialog->InitDir = mdlComFunctions::BuildPath(mdlCommon::Settings().ZorvPath(), "t");
    } else {
        Dialog->FileName = m_document.FileName();
    }
    Dialog->filter = kSaveFilter;
    if (!Dialog->ShowSave())
        return false;
    const QString path = Dialog->FileName;
    if (mdlZorvFD::ZorvFD_FileExists(path)) {
        if (!m_prompts.confirm(path + " already exist.\nDo you want to replace it?"))
            return false;
    }
    QString error;
    if (!m_document.Save(path, Dialog->FilterIndex == 1 ? 1 : 2, error)) {
        m_prompts.tell("Error saving file: " + error, platform::PromptIcon::Critical);
        return false;
    }
    return true;
}

void frmResEditor::Reload() {
    if (!mdlCommon::Settings().LoadDescriptions()) {
        m_prompts.tell(QStringLiteral("Loading descriptions is turned off in settings."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    QString error;
    bool loaded = false;
    {
        mdlCommon::WaitScope wait(QStringLiteral("Reloading resources..."), this);
        loaded = m_document.ReloadMemory(mdlCommon::Settings().DescLangID(), error);
    }
    if (!loaded)
        m_prompts.tell(error, platform::PromptIcon::Critical);
}

void frmResEditor::UpdateCaption() {
    setWindowTitle(ResEditorPresentation::Caption(m_document.DocName(), m_document.LangID(),
                                                  m_document.MemoryMode(), m_document.Modified()));
    actSave->setEnabled(!m_document.MemoryMode());
}

void frmResEditor::ShowPageCount() {
    BarPages->setText(QString::number(m_document.Pages().count()) + " pages");
}

void frmResEditor::SetSelectedPage(std::shared_ptr<clsPage> page) {
    m_selectedPage = std::move(page);
    if (!m_selectedPage)
        m_selectedString = nullptr;
    if (m_selectedPage && m_document.LoadPageTexts(*m_selectedPage) && m_selectedPage->DuplicitIDs)
        ShowDuplicateReport(*m_selectedPage);
    FillTextList(false);
}

void frmResEditor::SetSelectedString(std::shared_ptr<clsString> text) {
    m_selectedString = std::move(text);
    if (!m_selectedString)
        TextEdit->clear();
    else if (!chkRawtext->isChecked())
        TextEdit->setPlainText(m_selectedString->RawText());
    else
        TextEdit->setPlainText(ResEditorPresentation::DisplayText(m_selectedString->Text()));
}

void frmResEditor::FillTextList(bool keep) {
    const int remembered = SelectedRow(TextView);
    m_textModel->SetPage(m_selectedPage);
    if (!m_selectedPage) {
        lblName->clear();
        lblDesc->clear();
        SetSelectedString(nullptr);
        return;
    }
    lblName->setText(m_selectedPage->Name);
    lblDesc->setText(m_selectedPage->desc);
    if (keep && remembered >= 0 && remembered < m_textModel->rowCount())
        SelectTextRow(remembered);
    SetSelectedString(m_textModel->TextAt(SelectedRow(TextView)));
    BarLines->setText(QString::number(m_selectedPage->Strings.count()) + " lines");
}

void frmResEditor::TakeSelectedPage() {
    SetSelectedPage(m_pageModel->PageAt(SelectedRow(PageView)));
}

void frmResEditor::SelectPageRow(int row) {
    const QModelIndex index = m_pageModel->index(row, 0);
    PageView->setCurrentIndex(index);
    PageView->scrollTo(index);
}

void frmResEditor::SelectTextRow(int row) {
    const QModelIndex index = m_textModel->index(row, 0);
    TextView->setCurrentIndex(index);
    TextView->scrollTo(index);
}

void frmResEditor::ShowDuplicateReport(const clsPage& page) {
    auto* report = new frmText(this);
    report->SetText(page.GetLastError());
    report->MyShow(QStringLiteral("Duplicit string IDs in page"), false, this);
}

void frmResEditor::mnuStrEdit_Click() {
    if (!m_selectedString || Refuse(kTextsReadOnly))
        return;
    frmStringEdit dialog(this);
    dialog.ShowString(m_document, m_selectedPage, m_selectedString, false);
    platform::RunModal(dialog);
}

void frmResEditor::mnuStrNew_Click() {
    if (!m_selectedPage || Refuse(kTextsReadOnly))
        return;
    auto text = std::make_shared<clsString>();
    text->PageID = m_selectedPage->PageID;
    frmStringEdit dialog(this);
    dialog.ShowString(m_document, m_selectedPage, text, true);
    platform::RunModal(dialog);
}

void frmResEditor::mnuPageEdit_Click() {
    if (!m_selectedPage || Refuse(kPageEditReadOnly))
        return;
    frmPageEdit dialog(this);
    dialog.ShowPage(m_document, m_selectedPage, false);
    platform::RunModal(dialog);
}

void frmResEditor::mnuPageNew_Click() {
    if (Refuse(kPagesReadOnly))
        return;
    auto page = std::make_shared<clsPage>();
    frmPageEdit dialog(this);
    dialog.ShowPage(m_document, page, true);
    platform::RunModal(dialog);
    if (dialog.ModalResult == 1)
        SelectPageRow(m_pageModel->RowOf(page->Key()));
}

void frmResEditor::mnuStrDel_Click() {
    if (!m_selectedString || Refuse(kTextsReadOnly))
        return;
    if (!m_prompts.confirm(QStringLiteral("Do you really want to remove selected text?")))
        return;
    QString error;
    if (!m_document.DeleteText(m_selectedPage, m_selectedString, error))
        m_prompts.tell("Error removing string from XML document.\n" + error,
                       platform::PromptIcon::Critical);
}

void frmResEditor::mnuPageDel_Click() {
    if (!m_selectedPage || Refuse(kPagesReadOnly))
        return;
    if (!m_prompts.confirm(QStringLiteral("Do you really want to remove selected page?")))
        return;
    QString error;
    if (!m_document.DeletePage(m_selectedPage, error))
        m_prompts.tell("Error removing page from XML document.\n" + error,
                       platform::PromptIcon::Critical);
}

void frmResEditor::ShowFind(bool pageList) {
    m_PageListActive = pageList;
    if (!m_find) {
        m_find = new frmFind(this);
        connect(m_find, &frmFind::OnFindNext, this, &frmResEditor::m_find_OnFindNext);
        m_find->ShowFindResEditor(false, this);
    } else {
        m_find->raise();
        m_find->activateWindow();
    }
    m_find->SetCaption(pageList ? QStringLiteral("Find Page") : QStringLiteral("Find Text"));
}

void frmResEditor::m_find_OnFindNext(bool MatchWholeWords, bool UseID, QString& data, QVariant& Tag,
                                     bool& bRes) {
    QTreeView* list = m_PageListActive ? PageView : TextView;
    ResEditorPresentation::FindRequest request;
    request.wholeWords = MatchWholeWords;
    request.data = data;
    request.selected = SelectedRow(list);
    request.tag = Tag.isValid() ? Tag.toInt() : -1;
    std::optional<int> found;
    if (m_PageListActive)
        found = ResEditorPresentation::FindNextRow(
            m_pageModel->rowCount(), request,
            [this, UseID](int row) { return m_pageModel->FindText(row, UseID); });
    else
        found = ResEditorPresentation::FindNextRow(
            m_textModel->rowCount(), request,
            [this, UseID](int row) { return m_textModel->FindText(row, UseID); });
    bRes = found.has_value();
    if (!found)
        return;
    Tag = *found;
    if (m_PageListActive)
        SelectPageRow(*found);
    else
        SelectTextRow(*found);
}

void frmResEditor::ListFocused(bool pageList) {
    const bool switched = pageList != m_PageListActive;
    m_PageListActive = pageList;
    if (!m_find)
        return;
    m_find->SetCaption(pageList ? QStringLiteral("Find Page") : QStringLiteral("Find Text"));
    if (switched)
        m_find->ClearTag();
}

bool frmResEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PageView || watched == TextView) {
        if (event->type() == QEvent::FocusIn)
            ListFocused(watched == PageView);
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->keyCombination() ==
                QKeyCombination(Qt::ControlModifier, Qt::Key_F)) {
            ShowFind(watched == PageView);
            return true;
        }
    }
    if (watched == PageView->viewport()) {
        QString path;
        if (mdlComFunctions::TakeFileDrop(event, path)) {
            if (!path.isEmpty())
                OpenFile(path);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmResEditor::closeEvent(QCloseEvent* event) {
    if (mdlCommon::IsBusy(this) || !ConfirmDiscard(true)) {
        event->ignore();
        return;
    }
    event->accept();
}
