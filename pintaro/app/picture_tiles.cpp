#include "picture_tiles.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "app_limits.h"

namespace app {

namespace {

constexpr int kTile = limits::kHistoryTileSize;

// A run's header word: its kind in the top two bits, its length below.
constexpr std::uint32_t kZeros = 0u << 30, kRepeat = 1u << 30, kAsIs = 2u << 30;
constexpr std::uint32_t kKind = 3u << 30, kLength = ~kKind;
// A repeated word takes two words to keep; shorter repeats stay as they are.
constexpr std::size_t kShortestRepeat = 3;

std::uint32_t tilesFor(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const auto across = static_cast<std::uint32_t>((width + kTile - 1) / kTile);
    const auto down = static_cast<std::uint32_t>((height + kTile - 1) / kTile);
    return across * down;
}

// Runs `put(at, length, words, step)` for each run of the packed tile:
// `words` points at the run's one repeated word (step 0), at its words as
// they are (step 1), or is null for zeros.
template <class Put>
void unpackRuns(const PackedTile& tile, std::size_t length, Put put) {
    std::size_t at = 0;
    const std::vector<std::uint32_t>& w = tile.words;
    for (std::size_t k = 0; k < w.size();) {
        const std::uint32_t kind = w[k] & kKind, n = w[k] & kLength;
        ++k;
        const std::size_t need = kind == kZeros ? 0 : kind == kRepeat ? 1 : n;
        if (kind == kKind || n > length - at || need > w.size() - k) throw std::logic_error("not a packed tile");
        put(at, n, kind == kZeros ? nullptr : w.data() + k, kind == kAsIs ? 1 : 0);
        at += n;
        k += need;
    }
    if (at != length) throw std::logic_error("a packed tile of another size");
}

}  // namespace

PackedTile packTile(std::uint32_t index, std::span<const std::uint32_t> pixels) {
    PackedTile packed;
    packed.index = index;
    std::vector<std::uint32_t>& out = packed.words;
    const std::size_t n = pixels.size();
    auto repeats = [&](std::size_t k) {
        std::size_t j = k + 1;
        while (j < n && pixels[j] == pixels[k]) ++j;
        return j - k;
    };
    for (std::size_t k = 0; k < n;) {
        const std::size_t same = repeats(k);
        if (pixels[k] == 0) {
            out.push_back(kZeros | static_cast<std::uint32_t>(same));
        } else if (same >= kShortestRepeat) {
            out.push_back(kRepeat | static_cast<std::uint32_t>(same));
            out.push_back(pixels[k]);
        } else {
            // As they are, up to the next zero or the next long repeat.
            std::size_t j = k;
            while (j < n && pixels[j] != 0 && (j == k || repeats(j) < kShortestRepeat)) ++j;
            out.push_back(kAsIs | static_cast<std::uint32_t>(j - k));
            out.insert(out.end(), pixels.begin() + static_cast<std::ptrdiff_t>(k),
                       pixels.begin() + static_cast<std::ptrdiff_t>(j));
            k = j;
            continue;
        }
        k += same;
    }
    out.shrink_to_fit();
    return packed;
}

void unpackTile(const PackedTile& tile, std::span<std::uint32_t> pixels) {
    unpackRuns(tile, pixels.size(), [&](std::size_t at, std::size_t n, const std::uint32_t* words, int step) {
        std::uint32_t* out = pixels.data() + at;
        if (step)
            std::copy_n(words, n, out);
        else
            std::fill_n(out, n, words ? *words : 0);
    });
}

void applyDifference(const PackedTile& tile, std::span<std::uint32_t> pixels) {
    unpackRuns(tile, pixels.size(), [&](std::size_t at, std::size_t n, const std::uint32_t* words, int step) {
        if (!words) return;  // no difference there
        std::uint32_t* out = pixels.data() + at;
        if (step) {
            for (std::size_t i = 0; i < n; ++i) out[i] ^= words[i];
        } else {
            const std::uint32_t w = *words;
            for (std::size_t i = 0; i < n; ++i) out[i] ^= w;
        }
    });
}

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
    // The memory first: when it cannot be had, the copy keeps its size.
    fPixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    fPixels.shrink_to_fit();
    fWidth = width;
    fHeight = height;
}

void PictureCopy::take(const raster::Image& image) {
    resize(image.hasSurface() ? image.width() : 0, image.hasSurface() ? image.height() : 0);
    for (std::uint32_t i = 0, n = tileCount(); i < n; ++i) {
        const Tile t = tile(i);
        image.readPixels(t.x, t.y, t.w, t.h, pixelsOf(t).data());
    }
}

std::vector<PackedTile> PictureCopy::takeChanges(const raster::Image& image) {
    std::vector<PackedTile> changed;
    std::vector<std::uint32_t> now(static_cast<std::size_t>(kTile) * kTile);
    for (std::uint32_t i = 0, n = tileCount(); i < n; ++i) {
        const Tile t = tile(i);
        const std::span<std::uint32_t> kept = pixelsOf(t);
        image.readPixels(t.x, t.y, t.w, t.h, now.data());
        if (std::memcmp(now.data(), kept.data(), kept.size_bytes()) == 0) continue;
        for (std::size_t k = 0; k < kept.size(); ++k) {
            const std::uint32_t pixel = now[k];
            now[k] ^= kept[k];
            kept[k] = pixel;
        }
        changed.push_back(packTile(i, {now.data(), kept.size()}));
    }
    return changed;
}

void PictureCopy::applyChanges(const std::vector<PackedTile>& differences, raster::Image& image) {
    for (const PackedTile& difference : differences) {
        if (difference.index >= tileCount()) throw std::logic_error("tile outside the picture");
        const Tile t = tile(difference.index);
        applyDifference(difference, pixelsOf(t));
        image.writePixels(t.x, t.y, t.w, t.h, pixelsOf(t).data());
    }
}

void PictureCopy::putBack(raster::Image& image) const {
    std::vector<std::uint32_t> now(static_cast<std::size_t>(kTile) * kTile);
    for (std::uint32_t i = 0, n = tileCount(); i < n; ++i) {
        const Tile t = tile(i);
        const std::span<const std::uint32_t> kept = pixelsOf(t);
        image.readPixels(t.x, t.y, t.w, t.h, now.data());
        if (std::memcmp(now.data(), kept.data(), kept.size_bytes()) != 0)
            image.writePixels(t.x, t.y, t.w, t.h, kept.data());
    }
}

std::vector<PackedTile> PictureCopy::packAll() const {
    std::vector<PackedTile> all;
    all.reserve(tileCount());
    for (std::uint32_t i = 0, n = tileCount(); i < n; ++i) all.push_back(packTile(i, pixelsOf(tile(i))));
    return all;
}

void PictureCopy::replaceAll(const std::vector<PackedTile>& tiles, int width, int height, raster::Image& image) {
    if (tiles.size() != tilesFor(width, height)) throw std::logic_error("a picture needs all its tiles");
    resize(width, height);
    for (const PackedTile& packed : tiles) {
        if (packed.index >= tileCount()) throw std::logic_error("tile outside the picture");
        const Tile t = tile(packed.index);
        unpackTile(packed, pixelsOf(t));
        image.writePixels(t.x, t.y, t.w, t.h, pixelsOf(t).data());
    }
}

}  // namespace app
