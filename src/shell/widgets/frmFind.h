// The find window of the editors. It does not search: "Find Next" raises
// OnFindNext, the owner searches its own contents from the position in Tag,
// stores the new position there and sets bRes when it found a match. Connect
// OnFindNext with a direct connection (the default for a window of the same
// thread), so the reference arguments come back. The window deletes itself
// when closed, after raising OnClose; owners hold it by QPointer.
#pragma once

#include <QDialog>
#include <QString>
#include <QVariant>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmFind : public QDialog {
    Q_OBJECT

public:
    explicit frmFind(QWidget* parent = nullptr);

    // The next search starts afresh.
    void ClearTag();
    // For the T-file and map editors: without the ID/text choice.
    void ShowFind(bool modal = false, QWidget* owner = nullptr);
    // For the Text Resource Editor: with the ID/text choice.
    void ShowFindResEditor(bool modal = false, QWidget* owner = nullptr);
    void SetCaption(const QString& caption);

signals:
    void OnFindNext(bool MatchWholeWords, bool UseID, QString& data, QVariant& Tag, bool& bRes);
    void OnClose();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetIDTextVisible(bool visible);
    void ApplyOptionRule();
    void Present(bool modal, QWidget* owner);
    void btnFindNext_Click();

    QLabel* Label1;
    QLineEdit* FindEdit;
    QGroupBox* Frame1;
    QCheckBox* chkWholeWords;
    QLabel* lblIDText;
    QRadioButton* rbIDText[2];
    QPushButton* btnFindNext;
    QPushButton* btnCancel;

    QVariant m_tag;
    bool m_resEditor = false;
};
