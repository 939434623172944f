#pragma once
#include <QWidget>
#include <optional>
#include <string>

#include "engine/FrameCapture.h"
#include "engine/PatternState.h"
#include "render/ExportPass.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quill {

class DesktopServices;
class ExportHost;

// The export dialog `saveoptions`: file type, bitmap width or metafile grid,
// legend, then "save" hands the work to the preview window. Hidden, not
// destroyed, when closed, so its choices stay.
class SaveOptions : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTwipsPerPixel = 15;
  static constexpr int kShortHeightTwips = 2535;
  static constexpr int kTallHeightTwips = 3105;  // reveals the width box

  SaveOptions(PatternState& state, DesktopServices& services, ExportHost& host,
              QWidget* parent = nullptr);

  void activate();
  void chooseMetafile();
  void chooseBitmap();  // also ".png" and ".svg", which share the bitmap pass
  void changeWidth();
  void save();
  void cancel();

  // The choices as an export takes them (the start value text is the main window's).
  ExportOptions options() const;
  ExportFormat format() const;
  // The dialog's values as a captured frame records them, and back.
  void fillControls(FrameControls& controls) const;
  void applyControls(const KeyFrame& frame);
  // A legend is drawn for polygons only: on a grid the box is cleared and
  // made unavailable.
  void setLegendAvailable(bool available);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls();
  void setGridAvailable(bool available);
  void setHeightTwips(int twips);
  std::optional<int64_t> widthValue() const;

  PatternState& state_;
  DesktopServices& services_;
  ExportHost& host_;
  bool saving_ = false;

  QGroupBox* fileTypeGroup = nullptr;
  QRadioButton* bmpOption = nullptr;
  QRadioButton* emfOption = nullptr;
  QRadioButton* pngOption = nullptr;
  QRadioButton* svgOption = nullptr;
  QLabel* widthCaption = nullptr;
  QLineEdit* widthBox = nullptr;
  QGroupBox* gridSizeGroup = nullptr;
  QRadioButton* largeGridOption = nullptr;
  QRadioButton* extraLargeGridOption = nullptr;
  QRadioButton* maximumGridOption = nullptr;
  QCheckBox* legend = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* cancelButton = nullptr;
};

}  // namespace quill
