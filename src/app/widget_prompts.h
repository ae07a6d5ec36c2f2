#pragma once

#include <QPointer>
#include <QWidget>

#include "prompts/prompts.h"

namespace sp {

// The editor's answers to every question the services ask: message boxes and
// the file and colour dialogs, owned by the main window, with the texts and
// captions as the services give them.
class WidgetPrompts : public Prompts {
  public:
    void setOwner(QWidget* owner) { m_owner = owner; }

    void showMessage(std::string_view text, std::string_view caption) override;
    Answer askYesNoCancel(std::string_view text, std::string_view caption) override;
    bool askYesNo(std::string_view text, std::string_view caption) override;
    std::optional<std::string> chooseProjectToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> chooseProjectToSave(const FileDialogRequest& request) override;
    std::optional<std::string> chooseExportResult(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<uint32_t> chooseColour(uint32_t initial) override;

  private:
    QPointer<QWidget> m_owner;
};

}  // namespace sp
