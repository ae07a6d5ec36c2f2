#pragma once

#include <filesystem>
#include <memory>
#include <string>

class QSettings;

namespace sp {

// setup.ini in the workspace: window placement and remembered folders, in
// sections and keys, integers written as numbers.
class SetupIni {
  public:
    explicit SetupIni(const std::filesystem::path& file);
    ~SetupIni();

    std::string readString(const std::string& section, const std::string& key) const;
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    int readInt(const std::string& section, const std::string& key, int fallback) const;
    void writeInt(const std::string& section, const std::string& key, int value);

    // A remembered folder, or `fallback` when it is empty or no longer a folder.
    std::filesystem::path folderOr(const std::string& key,
                                   const std::filesystem::path& fallback) const;

  private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace sp
