#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/model/emitter_node.h"
#include "document/document.h"

// What the parameter pages store for what the user did, with no widgets: the
// text of a field read as the program reads it, the rules that tie fields
// together, and the mapping of radio buttons and picture lists to values.
namespace sp::field_rules {

// A number field's text as atoi reads it (saturating), and as atof reads it.
int32_t readInteger(std::string_view text);
float readReal(std::string_view text);

// What a field shows for a value: "%d"; the gravity as its integer part.
std::string integerText(int32_t value);
std::string gravityText(float gravity);

// The "±" field stores at most 360, whatever was typed.
int32_t storedDirectionSpread(int32_t typed);

// A new maximum size; the height follows it while the aspect is kept.
std::vector<Document::FieldChange> maxSizeChanges(const EmitterNode& node, int32_t maxSize);
// The aspect box: turned on, the height becomes the maximum size.
std::vector<Document::FieldChange> keepAspectChanges(const EmitterNode& node, bool keep);

// The three "親ノードの影響" boxes mean something only below another node.
bool hasParentNode(const EmitterNode& node);

// Which radio button of a group shows a stored value: the value itself when a
// button stands for it, none (nullopt) for any other value.
std::optional<int32_t> shownRadio(int32_t stored, const std::vector<int32_t>& buttonValues);

// A picture list's choice: item 0 is "なし", item k material k. With no
// materials the node gets 0 and no name; otherwise the index becomes the
// choice and the name that of the material it names (none for 0). Index and
// name are stored together, so that a stale name is mended by choosing again.
std::pair<int32_t, std::string> pictureChoice(int choice,
                                              const std::vector<std::string>& materialNames);

}  // namespace sp::field_rules
