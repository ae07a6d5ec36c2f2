#include "cli/limit_options.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "cli/arguments.h"

namespace sp::cli {
namespace {

bool parseCount(const std::string& text, std::size_t& result) {
    const char* end = text.data() + text.size();
    std::size_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value == 0) return false;
    result = value;
    return true;
}

}  // namespace

std::string takeLimitOptions(std::vector<std::string>& args, CommandLimits& limits) {
    std::size_t textureMebibytes = 0;
    for (std::size_t i = 0; i < args.size();) {
        std::size_t* target = nullptr;
        if (args[i] == "--max-particles") target = &limits.simulation.maxLiveParticles;
        if (args[i] == "--max-trail-points") target = &limits.simulation.maxTrailPoints;
        if (args[i] == "--max-texture-memory") target = &textureMebibytes;
        if (args[i] == "--threads") target = &limits.drawThreads;
        if (target == nullptr) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size() || !parseCount(args[i + 1], *target))
            return cliText(kWholeNumberFromText, {args[i], "1"});
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    // More threads than rows of any canvas would only wait.
    limits.drawThreads = std::min<std::size_t>(limits.drawThreads, 256);
    if (textureMebibytes != 0) {
        constexpr std::size_t kMebibyte = std::size_t{1} << 20;
        limits.textureBudget =
            textureMebibytes > SIZE_MAX / kMebibyte ? SIZE_MAX : textureMebibytes * kMebibyte;
    }
    return "";
}

std::string takeLimitOptions(std::vector<std::string>& args, SimulationLimits& limits) {
    CommandLimits all(limits);
    std::string error = takeLimitOptions(args, all);
    limits = all.simulation;
    return error;
}

}  // namespace sp::cli
