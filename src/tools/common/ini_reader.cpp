#include "tools/common/ini_reader.h"

#include <QList>

namespace sp::tools {

IniReader IniReader::parse(const QByteArray& text) {
    IniReader reader;
    QByteArray body = text;
    if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    QString section;
    const QList<QByteArray> lines = body.split('\n');
    for (const QByteArray& raw : lines) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            if (close > 0) section = line.mid(1, close - 1).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) continue;
        reader.m_entries.push_back(
            {section, line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return reader;
}

std::optional<QString> IniReader::value(const QString& section, const QString& key) const {
    for (const Entry& entry : m_entries) {
        if (entry.section.compare(section, Qt::CaseInsensitive) == 0 &&
            entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

}  // namespace sp::tools
