#include "vector_file.h"

#include <memory>

#include "atomic_file.h"
#include "canvas.h"
#include "raster_api.h"
#include "raster_error.h"

namespace raster {
namespace {

[[noreturn]] void cannotWrite(const RasterApi& g, const std::string& path, cairo_status_t status) {
    throw RasterError("Failed to write " + path + ": " + g.cairo_status_to_string(status));
}

// Text is laid out with whole-pixel glyph advances, as on the raster
// image; a vector surface would otherwise space the letters a little
// differently from the PNG of the same drawing.
void matchRasterTextMetrics(const RasterApi& g, cairo_t* cr) {
    cairo_font_options_t* options = g.cairo_font_options_create();
    g.cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    g.cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    g.cairo_set_font_options(cr, options);
    g.cairo_font_options_destroy(options);
}

// cairo's writer callback: the file's bytes go to the replacement file.
cairo_status_t putBytes(void* closure, const unsigned char* data, unsigned int length) {
    return static_cast<FileOutput*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

void writeVectorFile(const RasterApi& g, const std::vector<DrawingOp>& ops, const std::string& path,
                     VectorFormat format) {
    const CurrentPicture picture = currentPicture(ops);
    // Written like every picture: whole or not at all (atomic_file.h).
    writeFileAtomically(path, [&](FileOutput& out) {
        std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface(
            format == VectorFormat::Svg
                ? g.cairo_svg_surface_create_for_stream(putBytes, &out, picture.width, picture.height)
                : g.cairo_pdf_surface_create_for_stream(putBytes, &out, picture.width, picture.height),
            CairoSurfaceDeleter{&g});
        if (cairo_status_t s = g.cairo_surface_status(surface.get())) cannotWrite(g, path, s);
        if (format == VectorFormat::Svg) g.cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
        {
            std::unique_ptr<cairo_t, CairoContextDeleter> cr(g.cairo_create(surface.get()), CairoContextDeleter{&g});
            matchRasterTextMetrics(g, cr.get());
            Canvas canvas(g);
            canvas.fTextAsOutlines = true;
            canvas.attach(cr.get(), picture.width, picture.height);
            for (std::size_t i = picture.first; i < ops.size(); ++i) replay(ops[i], canvas);
            canvas.detach();
        }
        // Finishing writes the rest of the file; a full disk shows up here
        // (and is named by the output's own error).
        g.cairo_surface_finish(surface.get());
        if (cairo_status_t s = g.cairo_surface_status(surface.get())) cannotWrite(g, path, s);
    });
}

}  // namespace raster
