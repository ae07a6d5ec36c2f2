#include "cli/limit_options.h"

#include <charconv>

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

std::string takeLimitOptions(std::vector<std::string>& args, SimulationLimits& limits) {
    for (std::size_t i = 0; i < args.size();) {
        std::size_t* target = nullptr;
        if (args[i] == "--max-particles") target = &limits.maxLiveParticles;
        if (args[i] == "--max-trail-points") target = &limits.maxTrailPoints;
        if (target == nullptr) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size() || !parseCount(args[i + 1], *target))
            return args[i] + " には1以上の整数を指定してください。";
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    return "";
}

}  // namespace sp::cli
