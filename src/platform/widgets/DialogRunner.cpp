#include "platform/widgets/DialogRunner.h"

#include <QDialog>

namespace platform {
namespace {

ScriptedDialogs* g_script = nullptr;

} // namespace

int RunModal(QDialog& dialog) {
    return g_script ? g_script->run(dialog) : dialog.exec();
}

ScriptedDialogs::ScriptedDialogs() : m_previous(g_script) {
    g_script = this;
}

ScriptedDialogs::~ScriptedDialogs() {
    g_script = m_previous;
}

int ScriptedDialogs::run(QDialog& dialog) {
    m_shown << dialog.objectName();
    dialog.setResult(0);
    dialog.show();
    if (!m_steps.empty()) {
        const DialogStep step = std::move(m_steps.front());
        m_steps.pop_front();
        step(dialog);
    }
    if (dialog.isVisible())
        dialog.reject();
    dialog.hide();
    return dialog.result();
}

} // namespace platform
