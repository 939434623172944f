#include "animation/SequenceOutput.h"

#include <cctype>
#include <cstdio>

#include <QFile>

#include "gfx/RasterSurface.h"
#include "media/SafeWrite.h"

namespace quill {

namespace {

std::string lowerExtension(const std::string& name) {
  const auto dot = name.find_last_of("./\\");
  if (dot == std::string::npos || name[dot] != '.') return {};
  std::string extension = name.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

}  // namespace

SequenceTarget SequenceTarget::forName(const std::string& name) {
  SequenceTarget t;
  t.name = name;
  t.baseName = name.size() >= 4 ? name.substr(0, name.size() - 4) : name;
  t.extension = lowerExtension(name) == ".png" ? ".png" : ".bmp";
  t.movie = movieTypeOf(name);
  return t;
}

std::string frameNumberText(int frame) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", frame);
  return digits;
}

std::string SequenceTarget::pictureName(int frame) const { return baseName + frameNumberText(frame) + extension; }

std::optional<std::string> missingEncoderMessage(const std::string& name, MovieType type,
                                                 const MovieEncoderFactory& encoders) {
  if (encoders && encoders(type)) return std::nullopt;
  std::string others = ".bmp, .png";
  for (const MovieFormat& f : kMovieFormats) {
    if (f.type != type && encoders && encoders(f.type)) others += std::string(", ") + f.extension;
  }
  const MovieFormat& format = movieFormat(type);
  return std::string("can't write ") + name + ": this computer's FFmpeg libraries have no " + format.codec +
         " encoder (" + format.encoder + ") for " + format.extension + " movies; choose " + others + " instead";
}

bool writeSequencePicture(RasterSurface& surface, const std::string& path, bool png) {
  return writeReplacing(path, [&surface, png](const std::string& temporary) {
    return png ? surface.savePng(temporary) : surface.saveBmp(temporary);
  });
}

namespace {

// A numbered picture from its encoded bytes, written whole or not at all.
bool writeSequenceFile(const QByteArray& bytes, const std::string& path) {
  return writeReplacing(path, [&bytes](const std::string& temporary) {
    QFile file(QString::fromStdString(temporary));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
  });
}

}  // namespace

std::optional<std::string> writeDrawnFrame(const DrawnFrame& frame, const SequenceTarget& target,
                                           MovieEncoder* movie) {
  if (movie) {
    if (movie->addFrame(frame.picture)) return std::nullopt;
    return "can't write " + target.name + ": " + movie->error() + "; the run stops and no movie is left";
  }
  const std::string name = target.pictureName(static_cast<int>(frame.number));
  if (!frame.encodeFailed && writeSequenceFile(frame.file, name)) return std::nullopt;
  return "can't write " + name + ": the run stops here; the files before it stay";
}

}  // namespace quill
