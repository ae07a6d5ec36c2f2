#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sp::render {

// A picture of A8R8G8B8 pixels (0xAARRGGBB, straight alpha), rows top to bottom.
class Texture {
  public:
    Texture(int width, int height, uint32_t fill = 0);

    int width() const { return m_width; }
    int height() const { return m_height; }
    uint32_t* row(int y) {
        return m_pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width);
    }
    const uint32_t* row(int y) const {
        return m_pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width);
    }
    uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void setPixel(int x, int y, uint32_t argb) { row(y)[x] = argb; }
    void fill(uint32_t argb);
    void fillRows(int first, int last, uint32_t argb);  // rows first … last
    std::vector<uint32_t>& pixels() { return m_pixels; }
    const std::vector<uint32_t>& pixels() const { return m_pixels; }

  private:
    int m_width;
    int m_height;
    std::vector<uint32_t> m_pixels;
};

// The largest picture side that is loaded or imported.
inline constexpr int kMaxPictureSide = 8192;

// The smallest power of two at or above `side`, at least `minimum`.
int powerOfTwoAtLeast(int side, int minimum = 1);

// A texture made from a picture file: each side the smallest power of two at or
// above the picture's, the picture unscaled at the top-left and transparent black
// elsewhere. `fileWidth` and `fileHeight` are the picture's own size.
struct LoadedTexture {
    std::unique_ptr<Texture> texture;
    int fileWidth = 0;
    int fileHeight = 0;
};

enum class LoadError { None, Unreadable, TooLarge, OutOfMemory };

// The size of a picture file from its header, without decoding it; false when
// the file is not a picture the platform reads.
bool pictureSize(const std::filesystem::path& file, int& width, int& height);

// Loads PNG, BMP or JPEG (or any picture the platform decodes).
LoadedTexture loadTexture(const std::filesystem::path& file, LoadError* error = nullptr);

enum class PictureFormat { Png, Bmp, Jpeg };

// What a PNG is written for: a file that is kept has the platform writer's
// compression; a scratch frame, read back once by a RENDER program and then
// deleted, is written several times faster at about the same size.
enum class PngUse { Kept, Scratch };

// Writes the top-left `width` × `height` of a texture (the whole texture when 0).
// JPEG drops the alpha channel. Returns false when the file cannot be written.
bool saveTexture(const Texture& texture, const std::filesystem::path& file, PictureFormat format,
                 int width = 0, int height = 0, PngUse use = PngUse::Kept);

}  // namespace sp::render
