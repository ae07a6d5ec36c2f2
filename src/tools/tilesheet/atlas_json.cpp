#include "tools/tilesheet/atlas_json.h"

#include <QJsonArray>

namespace sp::tools {
namespace {

QJsonObject rect(int x, int y, int w, int h) {
    return {{QStringLiteral("x"), x},
            {QStringLiteral("y"), y},
            {QStringLiteral("w"), w},
            {QStringLiteral("h"), h}};
}

QJsonObject size(int w, int h) {
    return {{QStringLiteral("w"), w}, {QStringLiteral("h"), h}};
}

}  // namespace

QString atlasFrameName(const QString& baseName, int frame) {
    return QStringLiteral("%1_%2").arg(baseName).arg(frame, 4, 10, QLatin1Char('0'));
}

QJsonObject atlasJson(const AtlasSheet& s) {
    const bool array = s.options != nullptr && s.options->json == exchange::AtlasLayout::Array;
    QJsonObject frameHash;
    QJsonArray frameArray;
    QJsonArray names;
    for (int index : s.frames) {
        const FramePlace& p = (*s.places)[static_cast<std::size_t>(index)];
        const QString name = atlasFrameName(s.baseName, index);
        QJsonObject frame{{QStringLiteral("frame"),
                           rect(p.at.x(), p.at.y(), p.source.width(), p.source.height())},
                          {QStringLiteral("rotated"), false},
                          {QStringLiteral("trimmed"), p.trimmed},
                          {QStringLiteral("spriteSourceSize"),
                           rect(p.source.x(), p.source.y(), p.source.width(), p.source.height())},
                          {QStringLiteral("sourceSize"), size(s.canvas.width(), s.canvas.height())},
                          {QStringLiteral("duration"), s.duration}};
        names.append(name);
        if (array) {
            frame.insert(QStringLiteral("filename"), name);
            frameArray.append(frame);
        } else {
            frameHash.insert(name, frame);
        }
    }
    QJsonObject meta{
        {QStringLiteral("app"), QStringLiteral("Sparkplume")},
        {QStringLiteral("image"), s.imageName},
        {QStringLiteral("size"), size(s.size.width(), s.size.height())},
        {QStringLiteral("format"), s.alpha ? QStringLiteral("RGBA8888") : QStringLiteral("RGB888")},
        {QStringLiteral("scale"), QStringLiteral("1")}};
    QJsonObject atlas;
    if (s.options != nullptr) {
        meta.insert(QStringLiteral("premultipliedAlpha"),
                    s.alpha && s.options->alpha == exchange::AlphaMode::Premultiplied);
        // The whole sequence on this sheet, as a tag over the listed frames and as
        // a named animation of frame names.
        meta.insert(
            QStringLiteral("frameTags"),
            QJsonArray{QJsonObject{{QStringLiteral("name"), s.baseName},
                                   {QStringLiteral("from"), 0},
                                   {QStringLiteral("to"), int(s.frames.size()) - 1},
                                   {QStringLiteral("direction"), QStringLiteral("forward")}}});
        if (!s.otherAtlases.isEmpty())
            meta.insert(QStringLiteral("related_multi_packs"),
                        QJsonArray::fromStringList(s.otherAtlases));
        atlas.insert(QStringLiteral("animations"), QJsonObject{{s.baseName, names}});
    }
    atlas.insert(QStringLiteral("frames"), array ? QJsonValue(frameArray) : QJsonValue(frameHash));
    atlas.insert(QStringLiteral("meta"), meta);
    return atlas;
}

}  // namespace sp::tools
