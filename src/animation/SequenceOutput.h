#pragma once
#include <optional>
#include <string>

#include "animation/FrameWorkers.h"
#include "media/MovieEncoder.h"

namespace quill {

class RasterSurface;

// Where a saved run writes its frames: numbered pictures in place of the
// name's last four characters (its ".bmp"), or one movie under the name.
struct SequenceTarget {
  std::string name;
  std::string baseName;
  std::string extension;  // ".bmp" or ".png"
  std::optional<MovieType> movie;

  static SequenceTarget forName(const std::string& name);
  // Frame 1 of "run.bmp" is "run001.bmp"; frame 1000 is "run1000.bmp".
  std::string pictureName(int frame) const;
};

// 1 -> "001", 42 -> "042", 1000 -> "1000".
std::string frameNumberText(int frame);

// The message for a movie type the installed libraries cannot write, naming
// the types that can be written instead; nullopt when it can be written.
std::optional<std::string> missingEncoderMessage(const std::string& name, MovieType type,
                                                 const MovieEncoderFactory& encoders);

// One frame of an armed run as the preview draws it: added to `movie` when a
// movie is being written, else written to `path` (nothing is written when the
// path names a movie: only a whole run writes one).
struct SequenceFrame {
  std::string path;
  bool png = false;
  MovieEncoder* movie = nullptr;
};

// One numbered picture of a run, written whole or not at all.
bool writeSequencePicture(RasterSurface& surface, const std::string& path, bool png);
// One frame of a saved run, drawn by the frame workers, into the movie when
// one is written, else into its numbered picture; the message that ends the
// run when it cannot be written.
std::optional<std::string> writeDrawnFrame(const DrawnFrame& frame, const SequenceTarget& target,
                                           MovieEncoder* movie);

}  // namespace quill
