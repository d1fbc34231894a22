// Prompts for tests: records every question and gives the next scripted
// answer of its kind. An unscripted message gets its default button and an
// unscripted chooser is cancelled, so a test never waits for a person.
#pragma once

#include "platform/Prompts.h"

#include <deque>
#include <vector>

namespace platform {

class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Message, File, Folder, Color };

    struct Question {
        Kind kind = Kind::Message;
        QString title;
        QString text; // the message, or the file name or colour offered
        PromptIcon icon = PromptIcon::None;
        PromptButtons buttons = PromptButtons::OK;
        FileChoice file; // for Kind::File
    };

    void answer(PromptAnswer answer) { m_answers.push_back(answer); }
    void answerFile(const QString& fileName, int filterIndex = 1) {
        m_files.push_back({fileName, filterIndex});
    }
    void answerFolder(const QString& folder) { m_folders.push_back(folder); }
    void answerColor(std::optional<int32_t> color) { m_colors.push_back(color); }

    const std::vector<Question>& asked() const { return m_asked; }
    // The messages only, for the common check of what a person was told.
    std::vector<Question> messages() const;

    PromptAnswer ask(const Message& message) override;
    bool chooseFile(FileChoice& choice) override;
    QString chooseFolder(QObject* owner, const QString& title) override;
    std::optional<int32_t> chooseColor(QObject* owner, int32_t initial) override;

private:
    struct FileAnswer {
        QString fileName;
        int filterIndex;
    };

    std::vector<Question> m_asked;
    std::deque<PromptAnswer> m_answers;
    std::deque<FileAnswer> m_files;
    std::deque<QString> m_folders;
    std::deque<std::optional<int32_t>> m_colors;
};

} // namespace platform
