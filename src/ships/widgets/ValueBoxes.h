// The numbered value boxes of the turret and gun dialogs: one labelled box
// per field of the section, the information-only ones locked and skipped by
// Tab, each selecting its whole text when it takes the focus.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

class ValueBoxes : public QObject {
public:
    // One box per caption, named ValEdit0, ValEdit1 ...; the first `locked`
    // boxes are for information only.
    ValueBoxes(QWidget* parent, QGridLayout* grid, const QStringList& captions, int locked);

    QLineEdit* box(int index) const { return m_boxes.value(index); }
    int count() const { return static_cast<int>(m_boxes.size()); }
    void clear();
    // The box read as a decimal number rounded down (2.7 gives 2, -2.5
    // gives -3); nothing when that is no 32-bit whole number.
    std::optional<int32_t> wholeNumber(int index) const;
    // Every box from `first` on as wholeNumber reads it, indexed by box;
    // nothing, after the invalid-number message and with the focus on the
    // box, when one is not a whole number.
    std::optional<QList<int32_t>> wholeNumbers(int first) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLineEdit*> m_boxes;
};

// The dialog's "OK" (the default button) and "Cancel", right-aligned.
QHBoxLayout* DialogButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel);
