#include "project/setup_ini.h"

#include <QSettings>
#include <QString>

namespace sp {
namespace {

QString keyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section + "/" + key);
}

}  // namespace

SetupIni::SetupIni(const std::filesystem::path& file)
    : m_settings(std::make_unique<QSettings>(QString::fromStdString(file.string()),
                                             QSettings::IniFormat)) {}

SetupIni::~SetupIni() = default;

std::string SetupIni::readString(const std::string& section, const std::string& key) const {
    return m_settings->value(keyOf(section, key)).toString().toStdString();
}

void SetupIni::writeString(const std::string& section, const std::string& key,
                           const std::string& value) {
    m_settings->setValue(keyOf(section, key), QString::fromStdString(value));
    m_settings->sync();
}

int SetupIni::readInt(const std::string& section, const std::string& key, int fallback) const {
    bool ok = false;
    const int value = m_settings->value(keyOf(section, key)).toInt(&ok);
    return ok ? value : fallback;
}

void SetupIni::writeInt(const std::string& section, const std::string& key, int value) {
    m_settings->setValue(keyOf(section, key), value);
    m_settings->sync();
}

std::filesystem::path SetupIni::folderOr(const std::string& key,
                                         const std::filesystem::path& fallback) const {
    const std::string folder = readString("Directory", key);
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return fallback;
    return folder;
}

}  // namespace sp
