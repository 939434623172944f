#pragma once

#include <string>

namespace quill {

// What the export dialog and the notice ask of the other windows. The app
// object implements it.
class ExportHost {
 public:
  virtual ~ExportHost() = default;

  // Runs the export pass in the preview window (a metafile into the name
  // chosen; a bitmap asks for its own), shows the notice when a file was
  // saved and unloads the preview; true when saved.
  virtual bool runExport(const std::string& metafilePath) = 0;
  // Shows the preview in its normal state (activating it) or hides it.
  virtual void setPreviewVisible(bool visible) = 0;
  virtual void hideSaveOptions() = 0;
  // Whether the main window's hide/show button offers to hide the preview.
  virtual bool previewMarkedShown() = 0;
};

}  // namespace quill
