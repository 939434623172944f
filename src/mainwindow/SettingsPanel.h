#pragma once
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;
class QWidget;

namespace quill {

// The settings panel of the main window: the geometry switch, the vertex,
// layer and grid controls, the cell order, the number base and start value,
// the colour mode, lines and fills, the background label, the preview
// buttons and the command buttons, with their captions and places. The main
// window answers their signals; the objectNames are the names descriptions
// and tests know the controls by.
struct SettingsPanel {
  // The controls above the palette bar, then the command buttons below it.
  void createSettings(QWidget* window);
  void createCommands(QWidget* window);

  QToolButton* rectanglesButton = nullptr;
  QToolButton* trianglesButton = nullptr;
  QLabel* geometryLabel = nullptr;
  QScrollBar* vertexBar = nullptr;
  QLabel* vertexCaption = nullptr;
  QLabel* vertexValue = nullptr;
  QScrollBar* layerBar = nullptr;
  QLabel* layerCaption = nullptr;
  QLabel* layerValueLabel = nullptr;
  QLabel* cellCountLabel = nullptr;
  // The indexed boxes txtDims(0) and txtDims(1) are named txtDims0 and txtDims1.
  std::array<QLineEdit*, 2> gridBoxes{};
  QLabel* columnsCaption = nullptr;
  QLabel* rowsCaption = nullptr;
  QLabel* rectangleCountLabel = nullptr;
  QRadioButton* lockRatioOption = nullptr;
  QGroupBox* orderGroup = nullptr;
  QRadioButton* spiralOption = nullptr;
  QRadioButton* bookOption = nullptr;
  QScrollBar* baseBar = nullptr;
  QLabel* baseCaption = nullptr;
  QLabel* baseValue = nullptr;
  QLineEdit* startBox = nullptr;
  QLabel* startCaption = nullptr;
  QCheckBox* decimalBox = nullptr;
  QCheckBox* lockBox = nullptr;
  QGroupBox* colourModeGroup = nullptr;
  QRadioButton* listOption = nullptr;
  QRadioButton* blendOption = nullptr;
  QCheckBox* linesBox = nullptr;
  QCheckBox* fillsBox = nullptr;
  QLabel* backgroundLabel = nullptr;
  QPushButton* previewButton = nullptr;
  QCheckBox* liveBox = nullptr;
  QPushButton* hidePreviewButton = nullptr;
  QPushButton* saveImageButton = nullptr;
  QPushButton* restartButton = nullptr;
  QPushButton* divideButton = nullptr;
  QPushButton* animateButton = nullptr;
  QPushButton* saveStateButton = nullptr;
  QPushButton* loadStateButton = nullptr;
};

}  // namespace quill
