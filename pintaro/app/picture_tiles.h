// Pictures as the drawing history sees them: square tiles of
// limits::kHistoryTileSize pixels (narrower or shorter at the right and
// bottom edges), numbered row by row, their raw pixels kept compactly; and a
// copy of the current picture to find the tiles a step changed. Only the
// raster layer's image is needed, no display.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image.h"

namespace app {

// One tile's pixels, as runs of equal pixels (count, pixel pairs) when that
// is smaller, as they are otherwise. A drawing is mostly runs of one colour,
// so a tile a line crosses shrinks to a fraction.
struct PackedTile {
    std::uint32_t index = 0;
    bool runs = false;
    std::vector<std::uint32_t> words;

    std::size_t bytes() const { return sizeof(PackedTile) + words.capacity() * sizeof(std::uint32_t); }
};

PackedTile packTile(std::uint32_t index, std::span<const std::uint32_t> pixels);
// `pixels` must have the size the tile was packed from.
void unpackTile(const PackedTile& tile, std::span<std::uint32_t> pixels);

// A copy of a whole picture's raw pixels, tile after tile, each tile's rows
// side by side, so that a tile compares and packs in one piece.
class PictureCopy {
public:
    int width() const { return fWidth; }
    int height() const { return fHeight; }
    std::size_t bytes() const { return fPixels.capacity() * sizeof(std::uint32_t); }

    // Copies the image whole (an image without surface is 0 x 0).
    void take(const toolkit::Image& image);

    // The tiles where the image (of the copy's size) differs from the copy:
    // the copy's pixels there, packed, in tile order. The copy takes the
    // image's pixels, so it equals the image afterwards.
    std::vector<PackedTile> takeChanges(const toolkit::Image& image);

    // Every tile packed: what a change of size replaces.
    std::vector<PackedTile> packAll() const;

    // Puts tiles of a `width` x `height` picture into the copy and the image
    // and returns the ones they replace, packed. Of the same size, `tiles`
    // may be any of them; of another size they must be all of them, the
    // image must already have that size, and every tile is returned.
    std::vector<PackedTile> exchange(const std::vector<PackedTile>& tiles, int width, int height,
                                     toolkit::Image& image);

private:
    struct Tile {
        int x, y, w, h;
        std::size_t offset;  // of its first pixel in fPixels
    };
    std::uint32_t tileCount() const;
    Tile tile(std::uint32_t index) const;
    std::span<std::uint32_t> pixelsOf(const Tile& t);
    std::span<const std::uint32_t> pixelsOf(const Tile& t) const;
    void resize(int width, int height);

    int fWidth = 0;
    int fHeight = 0;
    std::vector<std::uint32_t> fPixels;
};

}  // namespace app
