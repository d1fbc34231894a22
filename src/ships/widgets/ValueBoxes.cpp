#include "ships/widgets/ValueBoxes.h"

#include "common/widgets/mdlCommonWidgets.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"
#include "ships/ShipValues.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

#include <cmath>

ValueBoxes::ValueBoxes(QWidget* parent, QGridLayout* grid, const QStringList& captions, int locked)
    : QObject(parent) {
    for (int index = 0; index < captions.size(); ++index) {
        auto* box = new QLineEdit(parent);
        box->setObjectName(QStringLiteral("ValEdit%1").arg(index));
        if (index < locked) {
            box->setReadOnly(true);
            box->setFocusPolicy(Qt::ClickFocus);
            QPalette palette = box->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::Window));
            box->setPalette(palette);
        }
        box->installEventFilter(this);
        grid->addWidget(new QLabel(captions[index], parent), index, 0);
        grid->addWidget(box, index, 1);
        m_boxes << box;
    }
}

void ValueBoxes::clear() {
    for (QLineEdit* box : m_boxes)
        box->clear();
}

std::optional<int32_t> ValueBoxes::wholeNumber(int index) const {
    const std::optional<double> number = ShipValues::TextNumber(m_boxes.value(index)->text());
    return number ? ShipValues::WholeNumber(std::floor(*number)) : std::nullopt;
}

std::optional<QList<int32_t>> ValueBoxes::wholeNumbers(int first) const {
    QList<int32_t> values(count(), 0);
    for (int index = first; index < count(); ++index) {
        const std::optional<int32_t> value = wholeNumber(index);
        if (!value) {
            mdlCommon::ShowInvalidNumber(m_boxes[index]->window());
            m_boxes[index]->setFocus();
            return std::nullopt;
        }
        values[index] = *value;
    }
    return values;
}

bool ValueBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QMetaObject::invokeMethod(
                box, [box] { mdlComFunctions::SelectAllText(box, false); }, Qt::QueuedConnection);
    return false;
}

QHBoxLayout* DialogButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}
