// A resizable window that shows a block of text, such as a validation
// report. Shown modeless, it deletes itself when closed.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

class frmText : public QDialog {
    Q_OBJECT

public:
    explicit frmText(QWidget* parent = nullptr);

    // Sets the caption and shows the window, modal through RunModal.
    void MyShow(const QString& caption, bool modal = false, QWidget* owner = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    // Appends the text as it is, adding no line break.
    void AddText(const QString& text);

private:
    QPlainTextEdit* txt;
    QPushButton* btnOK;
};
