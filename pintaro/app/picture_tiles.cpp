#include "picture_tiles.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "app_limits.h"

namespace app {

namespace {
constexpr int kTile = limits::kHistoryTileSize;
}  // namespace

PackedTile packTile(std::uint32_t index, std::span<const std::uint32_t> pixels) {
    PackedTile packed;
    packed.index = index;
    std::size_t runs = 0;
    for (std::size_t k = 0; k < pixels.size(); ++runs) {
        const std::uint32_t p = pixels[k];
        while (k < pixels.size() && pixels[k] == p) ++k;
    }
    packed.runs = 2 * runs < pixels.size();
    if (!packed.runs) {
        packed.words.assign(pixels.begin(), pixels.end());
        return packed;
    }
    packed.words.reserve(2 * runs);
    for (std::size_t k = 0; k < pixels.size();) {
        const std::uint32_t p = pixels[k];
        std::uint32_t n = 0;
        while (k < pixels.size() && pixels[k] == p) ++k, ++n;
        packed.words.push_back(n);
        packed.words.push_back(p);
    }
    return packed;
}

void unpackTile(const PackedTile& tile, std::span<std::uint32_t> pixels) {
    if (!tile.runs) {
        if (tile.words.size() != pixels.size()) throw std::logic_error("tile of another size");
        std::copy(tile.words.begin(), tile.words.end(), pixels.begin());
        return;
    }
    std::size_t at = 0;
    for (std::size_t k = 0; k + 1 < tile.words.size(); k += 2) {
        const std::uint32_t n = tile.words[k];
        if (n > pixels.size() - at) throw std::logic_error("tile of another size");
        std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(at), n, tile.words[k + 1]);
        at += n;
    }
    if (at != pixels.size()) throw std::logic_error("tile of another size");
}

namespace {
std::uint32_t tilesFor(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const auto across = static_cast<std::uint32_t>((width + kTile - 1) / kTile);
    const auto down = static_cast<std::uint32_t>((height + kTile - 1) / kTile);
    return across * down;
}
}  // namespace

std::uint32_t PictureCopy::tileCount() const { return tilesFor(fWidth, fHeight); }

PictureCopy::Tile PictureCopy::tile(std::uint32_t index) const {
    const auto across = static_cast<std::uint32_t>((fWidth + kTile - 1) / kTile);
    Tile t;
    t.x = static_cast<int>(index % across) * kTile;
    t.y = static_cast<int>(index / across) * kTile;
    t.w = std::min(kTile, fWidth - t.x);
    t.h = std::min(kTile, fHeight - t.y);
    // The rows above its band of tiles, then the full tiles left of it in the band.
    t.offset = static_cast<std::size_t>(t.y) * static_cast<std::size_t>(fWidth) +
               static_cast<std::size_t>(t.x) * static_cast<std::size_t>(t.h);
    return t;
}

std::span<std::uint32_t> PictureCopy::pixelsOf(const Tile& t) {
    return {fPixels.data() + t.offset, static_cast<std::size_t>(t.w) * static_cast<std::size_t>(t.h)};
}

std::span<const std::uint32_t> PictureCopy::pixelsOf(const Tile& t) const {
    return {fPixels.data() + t.offset, static_cast<std::size_t>(t.w) * static_cast<std::size_t>(t.h)};
}

void PictureCopy::resize(int width, int height) {
    fWidth = width;
    fHeight = height;
    fPixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    fPixels.shrink_to_fit();
}

void PictureCopy::take(const toolkit::Image& image) {
    resize(image.hasSurface() ? image.width() : 0, image.hasSurface() ? image.height() : 0);
    for (std::uint32_t i = 0, n = tileCount(); i < n; ++i) {
        const Tile t = tile(i);
        image.readPixels(t.x, t.y, t.w, t.h, pixelsOf(t).data());
    }
}

std::vector<PackedTile> PictureCopy::takeChanges(const toolkit::Image& image) {
    std::vector<PackedTile> changed;
    std::vector<std::uint32_t> now(static_cast<std::size_t>(kTile) * kTile);
    for (std::uint32_t i = 0, n = tileCount(); i < n; ++i) {
        const Tile t = tile(i);
        const std::span<std::uint32_t> kept = pixelsOf(t);
        image.readPixels(t.x, t.y, t.w, t.h, now.data());
        if (std::memcmp(now.data(), kept.data(), kept.size_bytes()) == 0) continue;
        changed.push_back(packTile(i, kept));
        std::memcpy(kept.data(), now.data(), kept.size_bytes());
    }
    return changed;
}

std::vector<PackedTile> PictureCopy::packAll() const {
    std::vector<PackedTile> all;
    all.reserve(tileCount());
    for (std::uint32_t i = 0, n = tileCount(); i < n; ++i) all.push_back(packTile(i, pixelsOf(tile(i))));
    return all;
}

std::vector<PackedTile> PictureCopy::exchange(const std::vector<PackedTile>& tiles, int width, int height,
                                              toolkit::Image& image) {
    std::vector<PackedTile> replaced;
    const bool sameSize = width == fWidth && height == fHeight;
    if (!sameSize) {
        if (tiles.size() != tilesFor(width, height))
            throw std::logic_error("a picture of another size needs all its tiles");
        replaced = packAll();
        resize(width, height);
    }
    for (const PackedTile& packed : tiles) {
        if (packed.index >= tileCount()) throw std::logic_error("tile outside the picture");
        const Tile t = tile(packed.index);
        const std::span<std::uint32_t> pixels = pixelsOf(t);
        if (sameSize) replaced.push_back(packTile(packed.index, pixels));
        unpackTile(packed, pixels);
        image.writePixels(t.x, t.y, t.w, t.h, pixels.data());
    }
    return replaced;
}

}  // namespace app
