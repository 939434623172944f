#pragma once
#include <QImage>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quill {



enum class MovieType { Mp4, Webm, Gif };

struct MovieFormat {
  MovieType type;
  const char* extension;  // ".mp4"
  const char* codec;      // what a user knows it by: "H.264"
  const char* encoder;    // the FFmpeg encoder that writes it: "libx264"
};
extern const std::array<MovieFormat, 3> kMovieFormats;

const MovieFormat& movieFormat(MovieType type);
// The movie type a file name asks for by its extension (any case), if any.
std::optional<MovieType> movieTypeOf(const std::string& path);

// Writes the frames of an animation run as one movie file. The file appears
// under its name only when finish() succeeds; until then it is written to a
// temporary name beside it, and an encoder destroyed unfinished removes that,
// so a failed or abandoned movie never leaves a broken file or replaces the
// one already there.
class MovieEncoder {
 public:
  virtual ~MovieEncoder() = default;

  // Frames of width x height shown at framesPerSecond. Sizes the codec cannot
  // take (odd ones for H.264 and VP9) are padded on the right and at the
  // bottom by repeating the last column and row, never cropped.
  virtual bool open(const std::string& path, int width, int height, int framesPerSecond) = 0;
  // The picture must have the size given to open.
  virtual bool addFrame(const QImage& picture) = 0;
  // Writes what is still buffered and puts the file under its name.
  virtual bool finish() = 0;
  // Why the last call failed.
  virtual std::string error() const = 0;
};

// Makes an encoder for a movie type, or nothing when the installed libraries
// lack its encoder.
using MovieEncoderFactory = std::function<std::unique_ptr<MovieEncoder>(MovieType)>;

// FFmpeg's encoders (FfmpegMovieEncoder.cpp).
std::unique_ptr<MovieEncoder> makeFfmpegMovieEncoder(MovieType type);

}  // namespace quill
