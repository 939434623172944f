#include "media/MovieEncoder.h"

#include <algorithm>
#include <cctype>

namespace quill {

const std::array<MovieFormat, 3> kMovieFormats{{{MovieType::Mp4, ".mp4", "H.264", "libx264"},
                                                {MovieType::Webm, ".webm", "VP9", "libvpx-vp9"},
                                                {MovieType::Gif, ".gif", "GIF", "gif"}}};

const MovieFormat& movieFormat(MovieType type) {
  return *std::find_if(kMovieFormats.begin(), kMovieFormats.end(),
                       [type](const MovieFormat& f) { return f.type == type; });
}

std::optional<MovieType> movieTypeOf(const std::string& path) {
  const auto dot = path.find_last_of("./\\");
  if (dot == std::string::npos || path[dot] != '.') return std::nullopt;
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const MovieFormat& f : kMovieFormats) {
    if (extension == f.extension) return f.type;
  }
  return std::nullopt;
}

}  // namespace quill
