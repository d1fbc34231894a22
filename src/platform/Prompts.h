// Every question to a person goes through one installed Prompts object:
// message boxes, the file chooser, the folder chooser and the colour chooser.
// The program installs the Qt one; tests install a scripted one.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>

namespace platform {

enum class PromptIcon { None, Critical, Question, Exclamation, Information };

enum class PromptButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

// The numbers are those the message boxes of the editors compare against.
enum class PromptAnswer {
    None = 0,
    OK = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};

struct Message {
    QString title;
    QString text;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::OK;
    int defaultButton = 0; // 0-based position among the buttons
    QObject* owner = nullptr;
};

// A file to open or a name to save under. filter holds description and
// pattern pairs separated by "|" ("Text (*.txt)|*.txt|All files (*.*)|*.*");
// filterIndex counts the pairs from 1.
struct FileChoice {
    bool save = false;
    QString title;
    QString filter;
    QString initDir;
    QString fileName;
    int filterIndex = 1;
    QObject* owner = nullptr;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    virtual PromptAnswer ask(const Message& message) = 0;
    // False when cancelled; otherwise fileName and filterIndex hold the choice.
    virtual bool chooseFile(FileChoice& choice) = 0;
    // The chosen folder, or empty when cancelled.
    virtual QString chooseFolder(QObject* owner, const QString& title) = 0;
    // Colours are 0xRRGGBB; nothing when cancelled.
    virtual std::optional<int32_t> chooseColor(QObject* owner, int32_t initial) = 0;
};

// The installed prompts; a scripted one that answers every question with its
// default when none was installed.
Prompts& prompts();
// Installs prompts (not owned); nullptr goes back to the default.
void setPrompts(Prompts* installed);

// Installs prompts for the lifetime of this object, then restores the previous.
class ScopedPrompts {
public:
    explicit ScopedPrompts(Prompts& installed);
    ~ScopedPrompts();
    ScopedPrompts(const ScopedPrompts&) = delete;
    ScopedPrompts& operator=(const ScopedPrompts&) = delete;

private:
    Prompts* m_previous;
};

// The title of the boxes that belong to no editor of their own.
inline const QString kProgramTitle = QStringLiteral("Zorv Editor");

// The message boxes of one window, its title and owner given once.
class WindowPrompts {
public:
    explicit WindowPrompts(QString title, QObject* owner = nullptr)
        : m_title(std::move(title)), m_owner(owner) {}

    PromptAnswer ask(const QString& text, PromptIcon icon,
                     PromptButtons buttons = PromptButtons::OK, int defaultButton = 0) const;
    // A box with OK alone.
    void tell(const QString& text, PromptIcon icon = PromptIcon::None) const;
    // Yes or No; true for Yes.
    bool confirm(const QString& text, PromptIcon icon = PromptIcon::Question,
                 int defaultButton = 0) const;

private:
    QString m_title;
    QObject* m_owner;
};

// The answers of a button set, in the order the buttons are shown.
QList<PromptAnswer> buttonAnswers(PromptButtons buttons);

// A "|"-separated filter as name filters of a file chooser:
// "Text (*.txt; *.log)|*.txt;*.log" gives "Text (*.txt; *.log) (*.txt *.log)",
// and the pattern "*.*" is "*", every file.
QStringList nameFilters(const QString& filter);

} // namespace platform
