#pragma once

#include <QtGlobal>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "project/project.h"
#include "project/project_owner.h"
#include "project/setup_ini.h"
#include "prompts/prompts.h"

namespace sp {

// New, Open, Save and Save As on a project, with the question about unsaved
// changes and the remembered folders. Dialogs and questions go through Prompts;
// the owner of the project hears of every replacement and save.
class FileCommands {
  public:
    enum class SaveResult { Saved, Cancelled, Failed };

    FileCommands(Project& project, ProjectOwner& owner, SetupIni& setup, Prompts& prompts,
                 std::filesystem::path programDir);

    // The commands as the menu runs them.
    void commandNew();
    void commandOpen();
    SaveResult commandSave() { return saveProject(true); }
    SaveResult commandSaveAs() { return saveProject(false); }
    // Whether the main window may close (unsaved changes saved or given up).
    bool confirmClose() { return askToSaveChanges(); }

    // Asks about unsaved changes: true to go on. Yes saves first, and a save
    // that is cancelled or fails stops the command, so nothing is lost.
    bool askToSaveChanges();

    // Replaces the project with a fresh untitled one.
    void newProject();

    // Replaces the project with the contents of a project file. A relative path is
    // taken relative to the current directory. The file is read and checked in full
    // before anything of the open project is touched: on failure the message is
    // shown, false is returned and the open project stays as it was.
    bool openByPath(const std::filesystem::path& path);

    // The project named on the command line at start-up: nothing when the text is
    // empty; a text beginning with a double quote names the path up to the next
    // quote (or the end). A relative path is taken from the current directory.
    bool openFromCommandLine(const std::string& text);

    // Save (toCurrentPath) or Save As. The file is replaced atomically.
    SaveResult saveProject(bool toCurrentPath);

  private:
    bool installMaterials(const std::vector<std::pair<std::string, std::string>>& files);
    void failOpen(std::string_view text);

    Project& m_project;
    ProjectOwner& m_owner;
    SetupIni& m_setup;
    Prompts& m_prompts;
    std::filesystem::path m_programDir;
};

// The texts of the file commands.
inline constexpr const char* kAskSaveChangesText =
    QT_TRANSLATE_NOOP("Sparkplume", "変更内容を保存しますか？");
inline constexpr const char* kFileReadErrorText = QT_TRANSLATE_NOOP(
    "Sparkplume", "「%s」は存在しないか、他のアプリケーションで開いているため読み込めません。");
inline constexpr const char* kFileReadErrorCaption =
    QT_TRANSLATE_NOOP("Sparkplume", "ファイル読み込みエラー");
inline constexpr const char* kNotSupportedText = QT_TRANSLATE_NOOP(
    "Sparkplume", "対応していないファイルか、ファイルが壊れている可能性があります。");
inline constexpr const char* kNewerVersionText =
    QT_TRANSLATE_NOOP("Sparkplume",
                      "このファイルは、より新しいバージョンのSparkplumeで作成されたものです。\n"
                      "開くためには最新版のSparkplumeをインストールしてください。");
inline constexpr const char* kCannotOpenCaption =
    QT_TRANSLATE_NOOP("Sparkplume", "ファイルを開くことができません");
inline constexpr const char* kSaveFailedText =
    QT_TRANSLATE_NOOP("Sparkplume", "「%s」に保存できませんでした。");
inline constexpr const char* kMaterialUnreadableText =
    QT_TRANSLATE_NOOP("Sparkplume", "素材「%s」を読み込めないため、保存できませんでした。");
inline constexpr const char* kNameNotStorableText = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "プロジェクトファイルに保存できない文字を含む名前があるため、保存できませんでした。");
inline constexpr const char* kMaterialsNotWrittenText =
    QT_TRANSLATE_NOOP("Sparkplume", "素材を作業用フォルダに書き出せませんでした。");

inline constexpr const char* kNamesShortenedText = QT_TRANSLATE_NOOP(
    "Sparkplume",
    "このシステムのファイル名には長すぎる素材の名前があったため、短くして読み込みました。");

// Shortens the picture files whose names this file system cannot hold, at a
// character boundary and unique; returns the material names changed, old → new.
std::vector<std::pair<std::string, std::string>> shortenLongNames(
    std::vector<std::pair<std::string, std::string>>& pictures);
// Points the nodes that used a renamed material at its new name.
void renameMaterialReferences(EmitterNode& root,
                              const std::vector<std::pair<std::string, std::string>>& renamed);

// Fills the one "%s" of a message.
std::string formatMessage(const char* pattern, std::string_view value);
// Fills "%1", "%2" … of a message with the values in that order, in one pass: a
// value that itself holds "%2" stays as it is.
std::string formatMessage(const char* pattern, std::initializer_list<std::string_view> values);

}  // namespace sp
