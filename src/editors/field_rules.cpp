#include "editors/field_rules.h"

#include <algorithm>
#include <cmath>

#include "project/format/tokens.h"

namespace sp::field_rules {

int32_t readInteger(std::string_view text) {
    return format::parseInteger(text);
}

float readReal(std::string_view text) {
    return static_cast<float>(format::parseReal(text));
}

std::string integerText(int32_t value) {
    return std::to_string(value);
}

std::string gravityText(float gravity) {
    // The integer part, kept within int for values a typed exponent can reach.
    if (std::isnan(gravity)) return "0";
    if (gravity >= 2147483647.0f) return integerText(INT32_MAX);
    if (gravity <= -2147483648.0f) return integerText(INT32_MIN);
    return integerText(static_cast<int32_t>(gravity));
}

int32_t storedDirectionSpread(int32_t typed) {
    return std::min(typed, 360);
}

std::vector<Document::FieldChange> maxSizeChanges(const EmitterNode& node, int32_t maxSize) {
    std::vector<Document::FieldChange> changes{{NodeFieldId::maxSize, maxSize}};
    if (node.keepAspect) changes.emplace_back(NodeFieldId::maxHeight, maxSize);
    return changes;
}

std::vector<Document::FieldChange> keepAspectChanges(const EmitterNode& node, bool keep) {
    std::vector<Document::FieldChange> changes{{NodeFieldId::keepAspect, int32_t{keep ? 1 : 0}}};
    if (keep) changes.emplace_back(NodeFieldId::maxHeight, node.maxSize);
    return changes;
}

bool hasParentNode(const EmitterNode& node) {
    // The root is the one node without a parent.
    return node.parent != nullptr && node.parent->parent != nullptr;
}

std::optional<int32_t> shownRadio(int32_t stored, const std::vector<int32_t>& buttonValues) {
    if (std::find(buttonValues.begin(), buttonValues.end(), stored) == buttonValues.end())
        return std::nullopt;
    return stored;
}

std::pair<int32_t, std::string> pictureChoice(int choice,
                                              const std::vector<std::string>& materialNames) {
    if (materialNames.empty()) return {0, {}};
    const int32_t index = choice;
    if (index < 1 || static_cast<std::size_t>(index) > materialNames.size()) return {index, {}};
    return {index, materialNames[static_cast<std::size_t>(index) - 1]};
}

}  // namespace sp::field_rules
