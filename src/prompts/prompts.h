#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sp {

// The captions most messages and questions carry.
inline constexpr const char* kErrorCaption = "エラー";
inline constexpr const char* kConfirmCaption = "確認";

// What a file dialog starts with.
struct FileDialogRequest {
    std::string initialFolder;
    std::string initialName;       // the file name field; empty for Open
    std::string defaultExtension;  // added when the user types none; empty for Open
    // The dialog's list of file types: a description as shown and its pattern,
    // e.g. {"Sparkplumeデータ(*.spd)", "*.spd"}. Empty: all files.
    std::vector<std::pair<std::string, std::string>> filters;
};

// The file types of the project dialogs.
inline const std::vector<std::pair<std::string, std::string>>& projectFileFilters() {
    static const std::vector<std::pair<std::string, std::string>> filters = {
        {"Sparkplumeデータ(*.spd)", "*.spd"}, {"すべてのファイル(*.*)", "*.*"}};
    return filters;
}

// Everything that asks or tells the user something goes through this interface,
// so that every service runs the same way in the editor, the command line and tests.
// Questions that a headless caller cannot answer default to the answer that
// loses nothing: Cancel, and no file chosen.
class Prompts {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompts() = default;

    // A message box with an OK button.
    virtual void showMessage(std::string_view text, std::string_view caption) = 0;

    // A question with Yes, No and Cancel.
    virtual Answer askYesNoCancel(std::string_view /*text*/, std::string_view /*caption*/) {
        return Answer::Cancel;
    }

    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(std::string_view /*text*/, std::string_view /*caption*/) { return false; }

    // The project Open and Save dialogs; nullopt when cancelled. Save asks
    // itself before an existing file is replaced.
    virtual std::optional<std::string> chooseProjectToOpen(const FileDialogRequest&) {
        return std::nullopt;
    }
    virtual std::optional<std::string> chooseProjectToSave(const FileDialogRequest&) {
        return std::nullopt;
    }

    // The export's save dialog, with the filter of the result's type. Asks
    // itself before an existing file is replaced. nullopt when cancelled.
    virtual std::optional<std::string> chooseExportResult(const FileDialogRequest&) {
        return std::nullopt;
    }

    // Any other open-file dialog (a picture to import, a background picture);
    // the file must exist. nullopt when cancelled.
    virtual std::optional<std::string> chooseFileToOpen(const FileDialogRequest&) {
        return std::nullopt;
    }

    // The colour dialog, opened on `initial` (0xRRGGBB); nullopt when cancelled.
    virtual std::optional<uint32_t> chooseColour(uint32_t /*initial*/) { return std::nullopt; }
};

}  // namespace sp
