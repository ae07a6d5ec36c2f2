#pragma once

#include <QImage>
#include <QTemporaryDir>

#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "prompts/prompts.h"

namespace sp::testing {

// Records what the user would have been shown, and answers from queues.
class ScriptedPrompts : public Prompts {
  public:
    struct Message {
        std::string text;
        std::string caption;
    };
    std::vector<Message> messages;
    std::vector<Message> questions;
    std::deque<Answer> answers;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::deque<std::optional<std::string>> openChoices;
    std::deque<std::optional<std::string>> saveChoices;

    void showMessage(std::string_view text, std::string_view caption) override {
        messages.push_back({std::string(text), std::string(caption)});
    }
    Answer askYesNoCancel(std::string_view text, std::string_view caption) override {
        questions.push_back({std::string(text), std::string(caption)});
        if (answers.empty()) return Answer::Cancel;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<bool> yesNoAnswers;
    bool askYesNo(std::string_view text, std::string_view caption) override {
        questions.push_back({std::string(text), std::string(caption)});
        if (yesNoAnswers.empty()) return false;
        const bool a = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return a;
    }
    std::optional<std::string> chooseProjectToOpen(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(openChoices);
    }
    std::optional<std::string> chooseProjectToSave(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next(saveChoices);
    }

  private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& queue) {
        if (queue.empty()) return std::nullopt;
        auto v = queue.front();
        queue.pop_front();
        return v;
    }
};

inline std::filesystem::path pathOf(const QTemporaryDir& dir) {
    return dir.path().toStdString();
}

inline void writePicture(const std::filesystem::path& file, int width, int height,
                         const char* format = "PNG") {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(qRgba(200, 100, 50, 255));
    image.save(QString::fromStdString(file.string()), format);
}

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace sp::testing
