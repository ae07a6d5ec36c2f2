#include "export/ini_file.h"

#include <fstream>
#include <sstream>

namespace sp {
namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

}  // namespace

IniFile::IniFile(std::filesystem::path file) : m_file(std::move(file)) {}

bool IniFile::load() {
    m_sections.clear();
    std::error_code ec;
    if (!std::filesystem::exists(m_file, ec)) return true;
    std::ifstream in(m_file, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            m_sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || m_sections.empty()) continue;
        m_sections.back().entries.emplace_back(trim(line.substr(0, equals)),
                                               trim(line.substr(equals + 1)));
    }
    return !in.bad();
}

bool IniFile::save() const {
    std::ostringstream out;
    for (const Section& section : m_sections) {
        out << '[' << section.name << "]\n";
        for (const auto& [key, value] : section.entries) out << key << '=' << value << '\n';
    }
    std::ofstream file(m_file, std::ios::binary | std::ios::trunc);
    file << out.str();
    file.close();
    return !file.fail();
}

void IniFile::set(const std::string& sectionName, const std::string& key,
                  const std::string& value) {
    Section* section = nullptr;
    for (Section& s : m_sections)
        if (s.name == sectionName) section = &s;
    if (section == nullptr) {
        m_sections.push_back({sectionName, {}});
        section = &m_sections.back();
    }
    for (auto& entry : section->entries) {
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    }
    section->entries.emplace_back(key, value);
}

void IniFile::set(const std::string& section, const std::string& key, long long value) {
    set(section, key, std::to_string(value));
}

std::string IniFile::get(const std::string& sectionName, const std::string& key) const {
    for (const Section& s : m_sections)
        if (s.name == sectionName)
            for (const auto& entry : s.entries)
                if (entry.first == key) return entry.second;
    return "";
}

}  // namespace sp
