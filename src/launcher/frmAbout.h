// The "About" window: the version, the maker, a web address and a text box
// with the acknowledgements or the versions of the three game libraries.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

namespace launcher {

// The three library lines, one per game library, joined by line breaks.
QString LibraryVersionsText();
// The command that opens the address: "%1" replaced (any case), else the
// address appended after a blank.
QString BrowserCommand(QString browser, const QString& address);

class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblName = nullptr;
    QLabel* lblAuthor = nullptr;
    QLabel* lblURL = nullptr;
    QTabBar* TabStrip1 = nullptr;
    QPlainTextEdit* Credits = nullptr;
    QPushButton* btnClose = nullptr;

private:
    void ShowCredits();
    void ShowLibraries();
    void OpenAddress();
};

} // namespace launcher
