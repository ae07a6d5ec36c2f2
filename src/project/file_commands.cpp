#include "project/file_commands.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <fstream>
#include <sstream>
#include <system_error>

#include "project/format/container.h"
#include "project/format/effect_data.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

bool readWholeFile(const fs::path& path, std::string& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    bytes = std::move(buffer).str();
    return true;
}

bool writeWholeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

// Writes the whole file beside the target and renames it over the target, so
// that a crash or a full disk never leaves half a project behind. Unbuffered: a
// write the disk refuses must fail here, since a failure met only while the
// buffer is flushed on commit would still let the short file replace the target.
bool replaceFileAtomically(const fs::path& target, std::string_view bytes) {
    QSaveFile file(QString::fromStdString(target.string()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// The longest file name most file systems hold, in bytes.
constexpr std::size_t kMaxFileNameBytes = 255;

// `text` cut to at most `bytes` bytes without splitting a UTF-8 character.
std::string cutAtCharacter(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

// The material name of a picture file: its name without the last four characters.
std::string materialNameOf(const std::string& fileName) {
    return fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

}  // namespace

std::vector<std::pair<std::string, std::string>> shortenLongNames(
    std::vector<std::pair<std::string, std::string>>& pictures) {
    std::vector<std::pair<std::string, std::string>> renamed;  // material names, old → new
    auto taken = [&](const std::string& name) {
        for (const auto& [file, bytes] : pictures)
            if (file == name) return true;
        return false;
    };
    for (auto& [file, bytes] : pictures) {
        if (file.size() <= kMaxFileNameBytes || file.size() <= 4) continue;
        const std::string extension = file.substr(file.size() - 4);
        const std::string oldName = materialNameOf(file);
        // Room for the extension and a number that keeps the name unique.
        const std::string cut = cutAtCharacter(oldName, kMaxFileNameBytes - extension.size() - 8);
        std::string candidate = cut + extension;
        for (int n = 2; taken(candidate); ++n)
            candidate = cut + "~" + std::to_string(n) + extension;
        renamed.emplace_back(oldName, materialNameOf(candidate));
        file = candidate;
    }
    return renamed;
}

void renameMaterialReferences(EmitterNode& root,
                              const std::vector<std::pair<std::string, std::string>>& renamed) {
    std::vector<EmitterNode*> work{&root};
    while (!work.empty()) {
        EmitterNode* node = work.back();
        work.pop_back();
        for (const auto& [oldName, newName] : renamed) {
            if (node->imageName == oldName) node->imageName = newName;
            if (node->trailImageName == oldName) node->trailImageName = newName;
        }
        for (auto& child : node->children) work.push_back(child.get());
    }
}

std::string formatMessage(const char* pattern, std::string_view value) {
    std::string text = pattern;
    if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

std::string formatMessage(const char* pattern, std::initializer_list<std::string_view> values) {
    const std::string_view source(pattern);
    std::string text;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char next = i + 1 < source.size() ? source[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (source[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += source[i];
        }
    }
    return text;
}

FileCommands::FileCommands(Project& project, ProjectOwner& owner, SetupIni& setup, Prompts& prompts,
                           fs::path programDir)
    : m_project(project),
      m_owner(owner),
      m_setup(setup),
      m_prompts(prompts),
      m_programDir(std::move(programDir)) {}

void FileCommands::commandNew() {
    if (!askToSaveChanges()) return;
    newProject();
}

void FileCommands::commandOpen() {
    if (!askToSaveChanges()) return;
    m_project.tree.setNameCounter(0);
    FileDialogRequest request;
    request.initialFolder = m_setup.folderOr("Open", m_programDir).string();
    request.filters = projectFileFilters();
    auto chosen = m_prompts.chooseProjectToOpen(request);
    if (!chosen) return;
    std::error_code ec;
    m_setup.writeString("Directory", "Open", fs::absolute(*chosen, ec).parent_path().string());
    openByPath(*chosen);
}

bool FileCommands::askToSaveChanges() {
    if (!m_owner.isModified()) return true;
    switch (m_prompts.askYesNoCancel(kAskSaveChangesText, kConfirmCaption)) {
        case Prompts::Answer::Yes:
            return saveProject(true) == SaveResult::Saved;
        case Prompts::Answer::No:
            return true;
        case Prompts::Answer::Cancel:
            break;
    }
    return false;
}

void FileCommands::newProject() {
    ProjectState& state = m_project.state;
    m_owner.projectAboutToBeReplaced();
    clearTextureFolder(m_project.materials, m_project.workspace().textureDir());
    state.resetHeaderForNewProject();
    m_project.tree.clear();
    m_project.tree.insertNewNode(m_project.tree.root(), 0);
    state.currentFrame = state.frameCount;
    state.zoom = 1.0f;
    m_project.currentFilePath.clear();
    m_project.currentFileName = kUntitledFileName;
    m_project.fileFormatVersion = format::kWrittenVersion;
    m_owner.cycleGraphics();
    m_owner.projectWasReplaced();
}

bool FileCommands::openFromCommandLine(const std::string& text) {
    if (text.empty()) return false;
    std::string path = text;
    if (path.front() == '"') {
        const std::size_t close = path.find('"', 1);
        path = path.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return openByPath(path);
}

void FileCommands::failOpen(std::string_view text) {
    m_prompts.showMessage(text, kCannotOpenCaption);
}

bool FileCommands::openByPath(const fs::path& given) {
    std::error_code ec;
    const fs::path path = fs::absolute(given, ec).lexically_normal();

    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        m_prompts.showMessage(formatMessage(kFileReadErrorText, path.string()),
                              kFileReadErrorCaption);
        bytes.clear();  // and go on with nothing, which the checks below refuse
    }
    const format::ParsedContainer container = format::parseContainer(bytes);
    if (container.status == format::ContainerStatus::NewerVersion) {
        failOpen(kNewerVersionText);
        return false;
    }
    if (container.status != format::ContainerStatus::Ok) {
        failOpen(kNotSupportedText);
        return false;
    }
    const format::ContainerEntry* effectEntry = format::findEffectData(container);
    std::optional<format::EffectData> effect =
        format::readEffectData(effectEntry->bytes, container.version);
    if (!effect) {
        failOpen(kNotSupportedText);
        return false;
    }

    std::vector<std::pair<std::string, std::string>> pictures;
    for (const format::ContainerEntry& entry : container.entries)
        if (entry.name != format::kEffectDataEntry) pictures.emplace_back(entry.name, entry.bytes);
    // A name the file format holds may be too long for this file system (CP932
    // takes fewer bytes than UTF-8): such a material is kept under a shortened
    // name, and the nodes that use it follow.
    const std::vector<std::pair<std::string, std::string>> shortened = shortenLongNames(pictures);
    if (!shortened.empty()) renameMaterialReferences(*effect->root, shortened);
    if (!installMaterials(pictures)) {
        m_owner.reloadMaterials();  // the open project keeps the pictures it had
        failOpen(kMaterialsNotWrittenText);
        return false;
    }

    if (!shortened.empty()) m_prompts.showMessage(kNamesShortenedText, kConfirmCaption);

    // Everything is read: now the open project is replaced.
    m_owner.projectAboutToBeReplaced();
    ProjectState& state = m_project.state;
    state.header() = effect->header;
    m_project.fileFormatVersion = container.version;
    m_project.tree.replaceRoot(std::move(effect->root),
                               m_project.tree.nameCounter() + effect->nodeCount);
    m_project.currentFilePath = path.string();
    m_project.currentFileName = path.filename().string();
    state.zoom = 1.0f;
    m_owner.cycleGraphics();
    state.currentFrame = ProjectState::kForcedWrapFrame;
    m_owner.projectWasReplaced();
    return true;
}

// Writes the pictures of an opened file into a fresh folder beside TEXTURE and
// swaps it in only when all of them were written.
bool FileCommands::installMaterials(const std::vector<std::pair<std::string, std::string>>& files) {
    std::error_code ec;
    const fs::path texture = m_project.workspace().textureDir();
    const fs::path incoming = m_project.workspace().root() / "TEXTURE.opening";
    const fs::path previous = m_project.workspace().root() / "TEXTURE.previous";
    fs::remove_all(incoming, ec);
    fs::remove_all(previous, ec);
    if (!fs::create_directories(incoming, ec)) return false;
    for (const auto& [name, bytes] : files) {
        if (!writeWholeFile(incoming / name, bytes)) {
            fs::remove_all(incoming, ec);
            return false;
        }
    }
    m_project.materials.clear();
    if (fs::exists(texture, ec)) {
        fs::rename(texture, previous, ec);
        if (ec) {
            fs::remove_all(incoming, ec);
            return false;
        }
    }
    fs::rename(incoming, texture, ec);
    if (ec) {
        std::error_code restore;
        fs::rename(previous, texture, restore);
        fs::remove_all(incoming, restore);
        return false;
    }
    fs::remove_all(previous, ec);
    return true;
}

FileCommands::SaveResult FileCommands::saveProject(bool toCurrentPath) {
    Project& project = m_project;
    std::optional<std::string> effect =
        format::writeEffectData(project.state.header(), project.tree.root());
    if (!effect) {
        m_prompts.showMessage(kNameNotStorableText, kErrorCaption);
        return SaveResult::Failed;
    }

    fs::path target;
    std::error_code ec;
    if (toCurrentPath && !project.currentFilePath.empty()) {
        target = project.currentFilePath;
    } else {
        FileDialogRequest request;
        request.initialFolder = m_setup.folderOr("Save", m_programDir).string();
        request.initialName = project.currentFileName;
        request.defaultExtension = "spd";
        request.filters = projectFileFilters();
        auto chosen = m_prompts.chooseProjectToSave(request);
        if (!chosen) return SaveResult::Cancelled;
        target = fs::absolute(*chosen, ec).lexically_normal();
        if (!target.has_extension()) target += ".spd";
        m_setup.writeString("Directory", "Save", target.parent_path().string());
    }

    std::vector<format::ContainerEntry> entries;
    for (const Material& material : project.materials.materials()) {
        format::ContainerEntry entry{material.file.filename().string(), {}};
        if (!readWholeFile(material.file, entry.bytes)) {
            m_prompts.showMessage(formatMessage(kMaterialUnreadableText, material.name),
                                  kErrorCaption);
            return SaveResult::Failed;
        }
        entries.push_back(std::move(entry));
    }
    entries.push_back({std::string(format::kEffectDataEntry), std::move(*effect)});
    std::optional<std::string> packed = format::packContainer(entries);
    if (!packed) {
        m_prompts.showMessage(kNameNotStorableText, kErrorCaption);
        return SaveResult::Failed;
    }
    if (!replaceFileAtomically(target, *packed)) {
        m_prompts.showMessage(formatMessage(kSaveFailedText, target.string()), kErrorCaption);
        return SaveResult::Failed;
    }

    project.currentFilePath = target.string();
    project.currentFileName = target.filename().string();
    m_owner.reloadMaterials();
    m_owner.projectWasSaved();
    return SaveResult::Saved;
}

}  // namespace sp
