#include "launcher/frmAbout.h"

#include "common/mdlCommonGlobals.h"
#include "launcher/LauncherIcons.h"
#include "platform/HelpPages.h"
#include "platform/Processes.h"
#include "shell/mdlComFunctions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

using mdlComFunctions::GetModuleVersion;

namespace launcher {

namespace {

// The program's own pages stand in for the maker's web site.
QString address() {
    return platform::HelpPageUrl(mdlCommon::Settings().HelpPath(), QString()).toString();
}

QString libraryLine(const QString& title, const QString& file) {
    QString name = file;
    return QStringLiteral("%1 (%2): %3").arg(title, file, GetModuleVersion(name));
}

} // namespace

QString LibraryVersionsText() {
    return QStringList{
        libraryLine(QStringLiteral("Zorv FileDriver"), QStringLiteral("zorvfd.dll")),
        libraryLine(QStringLiteral("Zorv VirtualFileSystem"), QStringLiteral("zorvvfs.dll")),
        libraryLine(QStringLiteral("Zorv Objects"), QStringLiteral("zorvobjects.dll"))}
        .join(u'\n');
}

QString BrowserCommand(QString browser, const QString& address) {
    if (mdlComFunctions::ReplaceAll(browser, QStringLiteral("%1"), address, Qt::CaseInsensitive) ==
        0)
        mdlComFunctions::AppendWithSeparator(browser, address, QStringLiteral(" "));
    return browser;
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    auto* picture = new QLabel(this);
    picture->setPixmap(BuiltInIcon(QStringLiteral("te")).pixmap(48, 48));
    lblName = new QLabel(QStringLiteral("Version %1").arg(mdlComFunctions::GetAppVersion()), this);
    QFont bold = lblName->font();
    bold.setBold(true);
    lblName->setFont(bold);
    lblAuthor = new QLabel(QStringLiteral("Zorv Editor, written by its contributors."), this);
    lblURL = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address()), this);
    lblURL->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    TabStrip1 = new QTabBar(this);
    TabStrip1->addTab(QStringLiteral("Credits"));
    TabStrip1->setTabData(0, QStringLiteral("credits"));
    TabStrip1->addTab(QStringLiteral("Libraries"));
    TabStrip1->setTabData(1, QStringLiteral("libs"));
    Credits = new QPlainTextEdit(this);
    Credits->setReadOnly(true);
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setDefault(true);

    auto* head = new QHBoxLayout;
    auto* labels = new QVBoxLayout;
    labels->addWidget(lblName);
    labels->addWidget(lblAuthor);
    labels->addWidget(lblURL);
    head->addWidget(picture, 0, Qt::AlignTop);
    head->addLayout(labels, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(TabStrip1);
    layout->addWidget(Credits, 1);
    layout->addLayout(buttons);
    resize(460, 340);

    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(lblURL, &QLabel::linkActivated, this, &frmAbout::OpenAddress);
    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int index) {
        TabStrip1->tabData(index).toString() == QLatin1String("credits") ? ShowCredits()
                                                                         : ShowLibraries();
    });
    ShowCredits();
}

void frmAbout::ShowCredits() {
    Credits->setPlainText(QStringLiteral(
        "DIV Avuruz\n"
        "T-file tables, the ware panel and the ship panel with turrets, gun groups and guns.\n\n"
        "Ruvaze Rezivo\n"
        "The universe map tree, the Sector Map and the Universe Map.\n\n"
        "CAT and PCK support\n"
        "Catalog archives and packed files through the game file libraries.\n\n"
        "Thanks to every mod maker who reported a fault."));
}

void frmAbout::ShowLibraries() {
    Credits->setPlainText(LibraryVersionsText());
}

// A browser that cannot be started shows nothing, as the address is only a
// courtesy.
void frmAbout::OpenAddress() {
    const QStringList arguments =
        QProcess::splitCommand(BrowserCommand(mdlCommon::Settings().GetBrowser(), address()));
    if (arguments.isEmpty())
        return;
    QString error;
    platform::StartDetached(arguments.first(), arguments.mid(1), error);
}

} // namespace launcher
