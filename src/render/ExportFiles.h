#pragma once
#include "render/ExportPass.h"

namespace quill {

// The save dialog and the failure message of each file type.
struct ExportFileKind {
  const char* filter;
  const char* extension;
  const char* failure;
};

inline ExportFileKind exportFileKind(ExportFormat format) {
  switch (format) {
    case ExportFormat::Bmp:
      return {"Files (*.bmp)|*.bmp", "bmp", "error saving bitmap file"};
    case ExportFormat::Png:
      return {"Files (*.png)|*.png", "png", "error saving bitmap file"};
    case ExportFormat::Svg:
      return {"Files (*.svg)|*.svg", "svg", "error saving svg file"};
    case ExportFormat::Emf:
      break;
  }
  return {"Files (*.emf)|*.emf", "emf", "error saving metafile"};
}

inline constexpr char kSaveFileTitle[] = "Save File";
inline constexpr char kSavedAs[] = "saved as:";
inline constexpr char kExportStopped[] = "export stopped: nothing was saved";

}  // namespace quill
