#include "galaxy/widgets/GalaxyModal.h"

#include <QDialog>

namespace GalaxyModal {

namespace {
Runner& Installed() {
    static Runner runner;
    return runner;
}
} // namespace

int Exec(QDialog& dialog) {
    if (Installed())
        return Installed()(dialog);
    return dialog.exec();
}

void SetRunner(Runner runner) {
    Installed() = std::move(runner);
}

ScopedRunner::ScopedRunner(Runner runner) : m_previous(Installed()) {
    Installed() = std::move(runner);
}

ScopedRunner::~ScopedRunner() {
    Installed() = std::move(m_previous);
}

} // namespace GalaxyModal
