// Lists made from the table of save formats, for veskel's help at run time
// and for the generated regions of the docs, the manual pages and the bash
// completion, which the build refills from the table (target `reference`)
// and the test reference.current holds to it.
//
// A generated region is a template whose {field}s name lists of the table:
//   Markdown, inline:  <!-- generated: {raster-extensions} -->`.bmp`, ...<!-- end -->
//   other files, the next line:
//                      ; generated: {raster-extensions} ({quality})
//                      *.bmp*, *.png*, *.jpg* or *.jpeg* (JPG at quality 80)
// (`#` instead of `;` in a shell file). The line form keeps the marker's
// indentation; Markdown is inline because a comment on a line of its own
// would end the paragraph, the list item or the table it stands in.
#pragma once

#include <string>
#include <string_view>

namespace reference {

// How a listed item is written where it goes.
enum class Markup {
    Plain,     // .png         (help text)
    Markdown,  // `.png`
    Scdoc,     // *.png*
    Shell,     // png|bmp      (a bash extglob alternation)
};

// The markup of a file by its extension: .md Markdown, .scd scdoc, .bash
// shell; Plain otherwise.
Markup markupForPath(std::string_view path);

// The template with each {field} replaced by its list in the markup.
// Raises std::invalid_argument naming an unknown field or an unclosed brace.
std::string fillTemplate(std::string_view text, Markup markup);

// The text with every generated region refilled from its template. Raises
// std::invalid_argument with the line number of a region it cannot fill.
std::string refillRegions(std::string_view text, Markup markup);

}  // namespace reference
