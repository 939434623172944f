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

  void Form_Activate();
  void optWmf_Click();
  void optBmp_Click();  // also ".png" and ".svg", which share the bitmap pass
  void Text1_Change();
  void cmdSave_Click();
  void cmdCancel_Click();

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

  QGroupBox* Frame1 = nullptr;
  QRadioButton* optBmp = nullptr;
  QRadioButton* optWmf = nullptr;
  QRadioButton* optPng = nullptr;
  QRadioButton* optSvg = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QRadioButton* optNormal = nullptr;
  QRadioButton* optHeavy = nullptr;
  QRadioButton* optExtra = nullptr;
  QCheckBox* legend = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdCancel = nullptr;
};

}  // namespace quill
