#include "gfx/SvgSurface.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>

namespace quill {

namespace {

std::string hexColor(Color c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
  return text;
}

// Text comes from the program, but a label must never break the document.
std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

void SvgSurface::resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

void SvgSurface::clear(Color background) {
  background_ = background;
  elements_.clear();
}

void SvgSurface::setLineWidth(int pixels) { lineWidth_ = std::max(pixels, 1); }

void SvgSurface::polygon(const IntPoint* points, int count, Color fill, Color outline) {
  if (points == nullptr || count < 3 || count > 4) return;
  std::string element = "<polygon points=\"";
  for (int i = 0; i < count; ++i) {
    if (i > 0) element += ' ';
    element += std::to_string(points[i].x) + "," + std::to_string(points[i].y);
  }
  element += "\" fill=\"" + hexColor(fill) + "\" stroke=\"" + hexColor(outline) +
             "\" stroke-width=\"" + std::to_string(lineWidth_) + "\" stroke-linejoin=\"miter\"/>";
  elements_.push_back(std::move(element));
}

void SvgSurface::text(int x, int y, const std::string& text) {
  if (text.empty()) return;
  std::string element = "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
                        "\" font-family=\"" + escaped(font_.face) + "\" font-size=\"" +
                        std::to_string(std::max(font_.height, 1)) + "\" fill=\"" +
                        hexColor(textColor_) + "\" dominant-baseline=\"text-before-edge\"";
  if (!transparent_) element += " style=\"background:" + hexColor(background_) + "\"";
  elements_.push_back(element + " xml:space=\"preserve\">" + escaped(text) + "</text>");
}

void SvgSurface::writeTo(std::ostream& out) const {
  const std::string w = std::to_string(width_), h = std::to_string(height_);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << w
      << "\" height=\"" << h << "\" viewBox=\"0 0 " << w << " " << h << "\">\n"
      << "<rect width=\"" << w << "\" height=\"" << h << "\" fill=\"" << hexColor(background_)
      << "\"/>\n";
  for (const std::string& element : elements_) out << element << '\n';
  out << "</svg>\n";
}

std::string SvgSurface::document() const {
  std::ostringstream out;
  writeTo(out);
  return out.str();
}

// Streamed, so a big picture is not held twice.
bool SvgSurface::save(const std::string& path) const {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  writeTo(file);
  file.close();
  return static_cast<bool>(file);
}

}  // namespace quill
