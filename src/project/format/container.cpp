#include "project/format/container.h"

#include "core/text/cp932.h"
#include "project/format/tokens.h"

namespace sp::format {

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) return false;
        switch (c) {
            case '/':
            case '\\':
            case ':':
            case '*':
            case '?':
            case '"':
            case '<':
            case '>':
            case '|':
                return false;
            default:
                break;
        }
    }
    // A name ending in a dot or a space cannot be created on every desktop.
    return name.back() != '.' && name.back() != ' ';
}

ParsedContainer parseContainer(std::string_view file) {
    ParsedContainer result;
    TokenReader reader(file);
    auto magic = reader.token();
    if (!magic || *magic != kMagic) return result;

    auto version = reader.integer();
    if (!version) return result;
    result.version = *version;
    if (*version >= kFirstRefusedVersion) {
        result.status = ContainerStatus::NewerVersion;
        return result;
    }

    auto count = reader.integer();
    if (!count) return result;
    for (int32_t i = 0; i < *count; ++i) {
        auto name = reader.token();
        if (!name) return {};
        auto bytes = reader.rawBlock();
        if (!bytes) return {};
        std::string utf8 = text::fromCp932(*name);
        if (!isPlainFileName(utf8)) return {};
        result.entries.push_back({std::move(utf8), std::string(*bytes)});
    }
    if (findEffectData(result) == nullptr) return {};
    result.status = ContainerStatus::Ok;
    return result;
}

std::optional<std::string> packContainer(const std::vector<ContainerEntry>& entries) {
    TokenWriter writer;
    writer.text(kMagic);
    writer.integer(kWrittenVersion);
    writer.integer(static_cast<int64_t>(entries.size()));
    for (const ContainerEntry& entry : entries) {
        auto name = text::toCp932(entry.name);
        if (!name || name->find_first_of(std::string_view(",\n\0", 3)) != std::string::npos)
            return std::nullopt;
        writer.text(*name);
        writer.rawBlock(entry.bytes);
    }
    return writer.take();
}

const ContainerEntry* findEffectData(const ParsedContainer& container) {
    for (auto it = container.entries.rbegin(); it != container.entries.rend(); ++it)
        if (it->name == kEffectDataEntry) return &*it;
    return nullptr;
}

}  // namespace sp::format
