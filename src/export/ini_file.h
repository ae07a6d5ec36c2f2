#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace sp {

// A small INI file that keeps its sections and keys in the order they were
// first written: keys are replaced in place or appended, never removed.
// Values are plain text; integers are written as decimal numbers.
class IniFile {
  public:
    explicit IniFile(std::filesystem::path file);

    // Reads the file if it exists; false when it exists but cannot be read.
    bool load();
    // Writes the whole file; false when it cannot be written.
    bool save() const;

    void set(const std::string& section, const std::string& key, const std::string& value);
    void set(const std::string& section, const std::string& key, long long value);
    std::string get(const std::string& section, const std::string& key) const;

  private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    std::filesystem::path m_file;
    std::vector<Section> m_sections;
};

}  // namespace sp
