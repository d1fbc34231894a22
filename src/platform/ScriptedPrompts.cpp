#include "platform/ScriptedPrompts.h"

namespace platform {
namespace {

template <class T> std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

} // namespace

std::vector<ScriptedPrompts::Question> ScriptedPrompts::messages() const {
    std::vector<Question> found;
    for (const Question& question : m_asked)
        if (question.kind == Kind::Message)
            found.push_back(question);
    return found;
}

PromptAnswer ScriptedPrompts::ask(const Message& message) {
    m_asked.push_back(
        {Kind::Message, message.title, message.text, message.icon, message.buttons, {}});
    if (const auto scripted = takeFront(m_answers))
        return *scripted;
    const QList<PromptAnswer> answers = buttonAnswers(message.buttons);
    return answers.value(message.defaultButton, answers.first());
}

bool ScriptedPrompts::chooseFile(FileChoice& choice) {
    m_asked.push_back({Kind::File, choice.title, choice.fileName, PromptIcon::None,
                       PromptButtons::OKCancel, choice});
    const auto scripted = takeFront(m_files);
    if (!scripted || scripted->fileName.isEmpty())
        return false;
    choice.fileName = scripted->fileName;
    choice.filterIndex = scripted->filterIndex;
    return true;
}

QString ScriptedPrompts::chooseFolder(QObject*, const QString& title) {
    m_asked.push_back({Kind::Folder, title, {}, PromptIcon::None, PromptButtons::OKCancel, {}});
    return takeFront(m_folders).value_or(QString());
}

std::optional<int32_t> ScriptedPrompts::chooseColor(QObject*, int32_t initial) {
    m_asked.push_back({Kind::Color,
                       {},
                       QString::number(initial, 16),
                       PromptIcon::None,
                       PromptButtons::OKCancel,
                       {}});
    return takeFront(m_colors).value_or(std::nullopt);
}

} // namespace platform
