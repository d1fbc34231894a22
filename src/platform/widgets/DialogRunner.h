// Every modal dialog of the program is shown through RunModal, so a test can
// answer it: the program runs the dialog's own event loop, a test installs
// ScriptedDialogs, which works the dialog's controls instead of waiting for
// a person.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

class QDialog;

namespace platform {

// Works a shown dialog: fills its controls and presses its buttons.
using DialogStep = std::function<void(QDialog& dialog)>;

// Shows the dialog modally and returns when it is hidden, with its result.
// Without a script this is dialog.exec().
int RunModal(QDialog& dialog);

// Answers the modal dialogs shown while it lives, one step per dialog in the
// order they are shown (a step may itself open a nested dialog, which takes
// the next step). A dialog still visible after its step, or shown with no
// step left, is rejected as if its window were closed. Restores the previous
// script when it ends.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void answer(DialogStep step) { m_steps.push_back(std::move(step)); }
    // A step for a dialog of a known class; a dialog of another class fails
    // the cast and is rejected untouched.
    template <class Dialog> void answerAs(std::function<void(Dialog&)> step) {
        answer([step = std::move(step)](QDialog& dialog) {
            if (auto* typed = dynamic_cast<Dialog*>(&dialog))
                step(*typed);
        });
    }

    // The object names of the dialogs shown so far, in order.
    const QStringList& shown() const { return m_shown; }
    // Steps not yet used.
    int pending() const { return static_cast<int>(m_steps.size()); }

    int run(QDialog& dialog);

private:
    std::deque<DialogStep> m_steps;
    QStringList m_shown;
    ScriptedDialogs* m_previous;
};

} // namespace platform
