#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sp::format {

inline constexpr std::string_view kMagic = "SparkplumeData";
inline constexpr int32_t kWrittenVersion = 4;
inline constexpr int32_t kFirstRefusedVersion = 5;
inline constexpr std::string_view kEffectDataEntry = "save.png";

// One named file inside a project file. The name is UTF-8 here and CP932 in the file.
struct ContainerEntry {
    std::string name;
    std::string bytes;
};

enum class ContainerStatus {
    Ok,
    NotSupported,  // wrong magic, or damaged: truncated, overrunning, unsafe names, no effect data
    NewerVersion,  // written by a newer program
};

struct ParsedContainer {
    ContainerStatus status = ContainerStatus::NotSupported;
    int32_t version = 0;
    std::vector<ContainerEntry> entries;  // in file order, effect data included
};

// Parses a whole project file held in memory. Never reads past the data; an
// entry name that is not a plain file name makes the file damaged.
ParsedContainer parseContainer(std::string_view file);

// Builds a project file of the given entries (the effect data last). Returns
// nullopt when an entry name cannot be stored (not CP932, or holds a separator).
std::optional<std::string> packContainer(const std::vector<ContainerEntry>& entries);

// Whether a name can be a file of its own in the TEXTURE folder: no folder
// part, not "." or "..", nothing a file system refuses.
bool isPlainFileName(std::string_view utf8);

// The effect data of a parsed container: the last entry named "save.png".
const ContainerEntry* findEffectData(const ParsedContainer& container);

}  // namespace sp::format
