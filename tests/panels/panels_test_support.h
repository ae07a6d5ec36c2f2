#pragma once

#include <QCoreApplication>
#include <QTemporaryDir>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/app_context.h"
#include "services/services_test_support.h"

namespace sp::testing {

// Scripted prompts that also answer the picture dialog.
class PanelPrompts : public ScriptedPrompts {
  public:
    std::vector<FileDialogRequest> fileRequests;
    std::deque<std::optional<std::string>> fileChoices;

    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (fileChoices.empty()) return std::nullopt;
        auto choice = fileChoices.front();
        fileChoices.pop_front();
        return choice;
    }
};

// A new project in a work folder of its own, with a program folder beside it.
class PanelTestBase : public ::testing::Test {
  protected:
    PanelTestBase()
        : root(pathOf(temp)),
          context(prompts, {root / "work", root / "program", false, {}}),
          doc(context.document()) {
        std::filesystem::create_directories(root / "program");
        context.start();
    }

    EmitterNode& top(std::size_t i) { return *doc.project().tree.root().children.at(i); }
    // Lets queued work run: an editor commits after its key, the rename follows
    // once the editor has closed, a drop imports after it is over.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    QTemporaryDir temp;
    std::filesystem::path root;
    PanelPrompts prompts;
    AppContext context;
    Document& doc;
};

}  // namespace sp::testing
