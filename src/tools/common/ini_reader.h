#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace sp::tools {

// Reads a plain "key=value" INI text as the editor writes it: "[section]" headers,
// one key a line, ";" or "#" starting a comment. Section and key names are compared
// without regard to case; values are the UTF-8 text after the first "=", with the
// surrounding blanks removed and nothing else changed (backslashes, quotes, spaces
// inside a path and non-ASCII characters come through as written). When a key
// appears twice in a section, the first one counts.
class IniReader {
  public:
    static IniReader parse(const QByteArray& text);

    std::optional<QString> value(const QString& section, const QString& key) const;

  private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    std::vector<Entry> m_entries;
};

}  // namespace sp::tools
