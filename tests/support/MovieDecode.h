#pragma once
#include <QImage>
#include <string>
#include <vector>

// A movie read back with the libraries that wrote it: every frame as RGB32,
// and the frame rate its stream states. No frames when it can't be read.
struct DecodedMovie {
  std::vector<QImage> frames;
  double framesPerSecond = 0;
};
DecodedMovie decodeMovie(const std::string& path);

// Channels of two 0xffRRGGBB pixels differ by at most `tolerance`.
bool closeColours(QRgb a, QRgb b, int tolerance);
