// Putting the main window together from its parts, and connecting the
// settings panel's signals to their handlers.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include "editor/PadEditor.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/HistoryBar.h"
#include "mainwindow/KeyPreview.h"
#include "mainwindow/PaletteBar.h"
#include "mainwindow/WindowDirectory.h"

namespace quill {

void MainWindow::createPaletteControls() {
  palette_ = new PaletteBar(state_, windows_, this);
  panel_.backgroundLabel->installEventFilter(this);
  panel_.backgroundLabel->setCursor(Qt::PointingHandCursor);
}

void MainWindow::createPad() {
  pad_ = new PadEditor(state_, windows_.services(), this);
  pad_->move(kPanelWidthTwips / kTwipsPerPixel, 0);
  pad_->recomputeTables = [this] { changeLayerCount(); };
}


// One set of history buttons in the panel, which stays in view with the
// narrow grid window, and one under the pad.
void MainWindow::createHistoryControls() { historyBar_ = new HistoryBar(*this); }

void MainWindow::connectCommands() {
  const auto onClick = [this](QPushButton* button, auto handler) {
    connect(button, &QPushButton::clicked, this, handler);
  };
  onClick(panel_.restartButton, [this] { restoreStartValue(); });
  onClick(panel_.divideButton, [this] { showDivision(); });
  onClick(panel_.animateButton, [this] { showAnimation(); });
  onClick(panel_.saveStateButton, [this] { saveState(); });
  onClick(panel_.loadStateButton, [this] { loadState(); });
}

void MainWindow::connectSignals() {
  connect(panel_.rectanglesButton, &QToolButton::clicked, this, [this] { switchToRectangles(); });
  connect(panel_.trianglesButton, &QToolButton::clicked, this, [this] { switchToTriangles(); });
  connect(panel_.vertexBar, &QScrollBar::valueChanged, this, [this] { changeVertexCount(); });
  connect(panel_.layerBar, &QScrollBar::valueChanged, this, [this] { changeLayerCount(); });
  connect(panel_.baseBar, &QScrollBar::valueChanged, this, [this] { changeNumberBase(); });
  // textChanged also fires when code sets the text, which is what the boxes'
  // handlers rely on.
  for (int i = 0; i < 2; ++i) {
    connect(panel_.gridBoxes[i], &QLineEdit::textChanged, this, [this, i] { changeGridSize(i); });
  }
  connect(panel_.startBox, &QLineEdit::textChanged, this, [this] { changeStartText(); });
  connect(panel_.decimalBox, &QCheckBox::toggled, this, [this] { toggleDecimal(); });
  connect(panel_.lockRatioOption, &QRadioButton::clicked, this, [this] {
    panel_.lockRatioOption->setChecked(true);  // clicking an option button never turns it off
    lockGridRatio();
  });
  // Option buttons answer when they are turned on, by a click or by code.
  const auto onTurnedOn = [this](QRadioButton* button, void (MainWindow::*handler)()) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on) (this->*handler)();
    });
  };
  onTurnedOn(panel_.spiralOption, &MainWindow::chooseSpiralOrder);
  onTurnedOn(panel_.bookOption, &MainWindow::chooseBookOrder);
  onTurnedOn(panel_.listOption, &MainWindow::chooseListColours);
  onTurnedOn(panel_.blendOption, &MainWindow::chooseBlendColours);
  connect(panel_.hidePreviewButton, &QPushButton::clicked, this, [this] { togglePreview(); });
  connect(panel_.saveImageButton, &QPushButton::clicked, this, [this] { openSaveImage(); });
  panel_.previewButton->installEventFilter(this);
  connectLiveRedraws();
}

}  // namespace quill
