// Pictures as the drawing history sees them: square tiles of
// limits::kHistoryTileSize pixels (narrower or shorter at the right and
// bottom edges), numbered row by row, their raw pixels kept compactly; and a
// copy of the current picture to find the tiles a step changed. Only the
// raster layer's image is needed, no display.
//
// A step of the same size keeps, for each tile it changed, the difference
// of its two versions (their pixels XORed): zero wherever the step drew
// nothing, so it packs small, and applying it to either version gives the
// other, so undo and redo apply the same difference. A step that changed
// the size keeps the other size's whole picture instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "raster/image.h"

namespace app {

// One tile's words packed as runs of zeros, runs of one repeated word, and
// words as they are, each run behind a word giving its kind and length.
struct PackedTile {
    std::uint32_t index = 0;
    std::vector<std::uint32_t> words;

    std::size_t bytes() const { return sizeof(PackedTile) + words.capacity() * sizeof(std::uint32_t); }
};

PackedTile packTile(std::uint32_t index, std::span<const std::uint32_t> pixels);
// `pixels` must have the length the tile was packed from; raises
// std::logic_error otherwise.
void unpackTile(const PackedTile& tile, std::span<std::uint32_t> pixels);
// XORs the packed words into `pixels`: a packed difference turns one
// version of the tile into the other.
void applyDifference(const PackedTile& tile, std::span<std::uint32_t> pixels);

// A copy of a whole picture's raw pixels, tile after tile, each tile's rows
// side by side, so that a tile compares and packs in one piece.
class PictureCopy {
public:
    int width() const { return fWidth; }
    int height() const { return fHeight; }
    std::size_t bytes() const { return fPixels.capacity() * sizeof(std::uint32_t); }

    // Copies the image whole (an image without surface is 0 x 0).
    void take(const raster::Image& image);

    // The differences of the tiles where the image (of the copy's size) and
    // the copy differ, in tile order. The copy takes the image's pixels, so
    // it equals the image afterwards.
    std::vector<PackedTile> takeChanges(const raster::Image& image);

    // Applies differences that takeChanges gave to the copy and the image
    // (both of the size they were taken at): one version becomes the other.
    void applyChanges(const std::vector<PackedTile>& differences, raster::Image& image);

    // Writes the copy's pixels back into the image (of the copy's size)
    // wherever the two differ: the picture goes back to the copy.
    void putBack(raster::Image& image) const;

    // Every tile packed as it is: the picture a change of size replaces.
    std::vector<PackedTile> packAll() const;

    // Makes the copy and the image (which must already have the new size)
    // the `width` x `height` picture packed in `tiles`, every one of its
    // tiles; raises std::logic_error when some are missing.
    void replaceAll(const std::vector<PackedTile>& tiles, int width, int height, raster::Image& image);

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
