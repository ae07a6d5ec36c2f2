#pragma once

#include <QtGlobal>

#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/console_prompts.h"
#include "cli/limit_options.h"
#include "core/sim/simulation.h"
#include "document/app_context.h"

namespace sp::cli {

// The editor's setup for one headless command, in a private temporary workspace
// that is removed afterwards: the editor's work folder is never touched.
class HeadlessSession {
  public:
    explicit HeadlessSession(std::ostream& err, CommandLimits limits = {});

    // Starts as the editor does, with a new project; false (with the message on
    // the error stream) when the workspace cannot be made. With a program folder,
    // the workspace is first filled from the WorkSpace folder found for it.
    bool start(const std::filesystem::path& programDir = {});

    // Starts, then opens FILE as the editor's Open does; false (with the message)
    // when the file cannot be opened.
    bool open(const std::filesystem::path& file, const std::filesystem::path& programDir = {});

    // Whether every picture the effect uses was loaded; a picture left out for
    // lack of memory would silently be missing from what is rendered, so it is
    // said and the command fails.
    bool picturesComplete();

    AppContext& context() { return *m_context; }
    Document& document() { return m_context->document(); }
    Project& project() { return m_context->document().project(); }
    Playback& playback() { return m_context->playback(); }
    Prompts& prompts() { return m_prompts; }

  private:
    QTemporaryDir m_folder;
    ConsolePrompts m_prompts;
    CommandLimits m_limits;
    std::unique_ptr<AppContext> m_context;
};

}  // namespace sp::cli
