// Every modal dialog of the Ruvaze Rezivo, its panel and the map windows is
// run through here, so a test can answer it: the installed runner gets the
// prepared dialog and gives the dialog's result (exec() by default).
#pragma once

#include <functional>

class QDialog;

namespace GalaxyModal {

using Runner = std::function<int(QDialog& dialog)>;

int Exec(QDialog& dialog);
// An empty runner goes back to exec().
void SetRunner(Runner runner);

// Installs a runner for the lifetime of this object, then restores the previous.
class ScopedRunner {
public:
    explicit ScopedRunner(Runner runner);
    ~ScopedRunner();
    ScopedRunner(const ScopedRunner&) = delete;
    ScopedRunner& operator=(const ScopedRunner&) = delete;

private:
    Runner m_previous;
};

} // namespace GalaxyModal
