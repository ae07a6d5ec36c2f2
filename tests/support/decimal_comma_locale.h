#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace sp::testing {

// Switches the process to a German locale (decimal comma), compiling it into a
// private folder when the system has none installed. False when impossible.
inline bool useDecimalCommaLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) return true;
    const std::string folder = ::testing::TempDir() + "sparkplume-locales";
    const std::string command = "mkdir -p '" + folder + "' && localedef -i de_DE -f UTF-8 '" +
                                folder + "/de_DE.utf8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

}  // namespace sp::testing
