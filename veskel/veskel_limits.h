// Fixed numbers of veskel's outputs and its prompt, each with its reason.
#pragma once

#include <cstddef>

namespace veskel::limits {

// An animation has at most this many frames unless --frame-every asks for
// more: enough for a smooth lesson, small enough to share (a few MB).
inline constexpr std::size_t kMaxFrames = 300;

// Each frame shows for 40 ms (25 frames a second, which browsers play as
// given; they stretch much shorter frames), the last one for two seconds so
// that the finished drawing can be seen before the animation starts over.
inline constexpr int kFrameMilliseconds = 40;
inline constexpr int kLastFrameMilliseconds = 2000;

// libwebp's effort for the lossless frames (method 0..6, quality 0..100 is
// effort in lossless mode). The frames differ from each other in small
// areas that the animation encoder cuts out, so the lowest effort keeps
// 300 frames of 640 x 400 within seconds while the file stays small.
inline constexpr int kWebpMethod = 0;
inline constexpr float kWebpEffort = 0.0f;

// Lines the prompt's history file keeps, the newest last: enough for weeks
// of trying things at the prompt, small enough (some tens of kilobytes) to
// read at every start and to trim after every line.
inline constexpr int kHistoryLines = 1000;

// Longest script read back from a picture (--script-of, --replay), after
// decompression: eight times what veskel and pintaro keep (1 MiB), for
// scripts another program wrote, while a crafted picture cannot make the
// reader take more memory than this.
inline constexpr std::size_t kMaxPictureScriptBytes = 8u << 20;

// Room in a text chunk beside its text: the compression bytes, and an
// international chunk's language tag and translated keyword.
inline constexpr std::size_t kMaxTextChunkHeaderBytes = 4096;

}  // namespace veskel::limits
