// Writes the README's pictures without a display (offscreen): the main window,
// the preview of the start-up pattern, an export with its legend and a strip
// of frames of the example animation and a contact sheet of the gallery in
// examples/. With --examples FOLDER it writes the example state files instead.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/HeadlessAnimate.h"
#include "app/HeadlessRender.h"
#include "app/HeadlessServices.h"
#include "app/QuillavenApp.h"
#include "editor/DivisionDialog.h"
#include "engine/CellGeometry.h"
#include "engine/FrameCapture.h"
#include "engine/KeyFrameCodec.h"
#include "engine/KeyFrameHistory.h"
#include "engine/Palettes.h"
#include "engine/PatternState.h"
#include "mainwindow/MainWindow.h"
#include "preview/PreviewWindow.h"

namespace {

// Three key frames of one animation: the start-up hexagon divided twice, a
// six-pointed star, and the star turned by 30 degrees.
int writeExample(const std::string& folder) {
  auto owned = std::make_unique<quill::HeadlessServices>(std::cerr);
  quill::HeadlessServices& services = *owned;
  quill::QuillavenApp app(std::move(owned));
  app.start();
  quill::MainWindow& form = app.mainWindow();
  quill::PatternState& state = app.state();
  app.divisionDialog().findChild<QScrollBar*>("hscLevels")->setValue(2);
  QWidget* preview = form.findChild<QWidget*>("Command2");
  QTest::mouseClick(preview, Qt::LeftButton);
  for (int i = 2; i <= 6; i += 2) {
    state.vertexPoints[i].x *= 0.45;
    state.vertexPoints[i].y *= 0.45;
  }
  form.changeLayerCount();
  QTest::mouseClick(preview, Qt::LeftButton);
  const double turn = std::acos(-1.0) / 6;
  for (int i = 1; i <= 6; ++i) {
    const quill::Point p = state.vertexPoints[i];
    state.vertexPoints[i] = {p.x * std::cos(turn) - p.y * std::sin(turn), p.x * std::sin(turn) + p.y * std::cos(turn)};
  }
  form.changeLayerCount();
  QTest::mouseClick(preview, Qt::LeftButton);
  services.saveAnswer = folder + "/morph.kvt";
  if (!form.saveState()) return 1;
  std::cout << *services.saveAnswer << "\n";
  return 0;
}

// --- The gallery in examples/ -------------------------------------------------

struct GalleryExample {
  const char* name;
  const char* caption;
  std::function<void(quill::KeyFrame&)> settings;
};

void regularPolygon(quill::KeyFrame& f, int vertices, int layers) {
  auto state = std::make_unique<quill::PatternState>();
  quill::placeRegularVertices(*state, vertices);
  f.vertexPoints = state->vertexPoints;
  f.centerX = f.centerY = 0;
  f.vertexCount = static_cast<int16_t>(vertices);
  f.layerCount = static_cast<int16_t>(layers);
}

void divide(quill::KeyFrame& f, int levels, int fractions, int order) {
  f.levels = static_cast<int16_t>(levels);
  f.fractionsLimit = static_cast<int16_t>(2 * levels);
  f.fractions = static_cast<int16_t>(fractions);
  f.order = static_cast<int16_t>(order);
}

void grid(quill::KeyFrame& f, int rows, int columns, bool spiral) {
  f.triangleMode = quill::kFalse16;
  f.rowCount = static_cast<int16_t>(rows);
  f.columnCount = static_cast<int16_t>(columns);
  f.spiralOrder = quill::toBool16(spiral);
}

// Each example starts from the start-up frame and changes what it shows off;
// morph.kvt, the example animation, is made through the window (writeExample).
const std::vector<GalleryExample>& galleryExamples() {
  static const std::vector<GalleryExample> examples = {
      {"hexagon", "the start-up hexagon divided twice, blended",
       [](quill::KeyFrame& f) { divide(f, 2, 0, 0); }},
      {"star", "8-point star, digit colours, base 4, no lines",
       [](quill::KeyFrame& f) {
         regularPolygon(f, 16, 6);
         for (int i = 2; i <= 16; i += 2) {
           f.vertexPoints[static_cast<size_t>(i)].x *= 0.45;
           f.vertexPoints[static_cast<size_t>(i)].y *= 0.45;
         }
         f.blendOn = quill::kFalse16;
         f.numberBase = 4;
         f.drawLines = 0;
         f.palette = quill::presetPalette(1);
         divide(f, 2, 0, 1);
       }},
      {"fades", "pentagon, fades over groups of 32, no lines",
       [](quill::KeyFrame& f) {
         regularPolygon(f, 5, 3);
         f.blendOn = quill::kFalse16;
         f.drawLines = 0;
         divide(f, 4, 5, 0);
       }},
      {"gaps", "hexagon, gap pattern 3 of every 5, digits in base 5",
       [](quill::KeyFrame& f) {
         regularPolygon(f, 6, 5);
         f.blendOn = quill::kFalse16;
         f.numberBase = 5;
         f.drawLines = 0;
         f.palette = quill::presetPalette(1);
         f.backColor = quill::rgb(16, 16, 32);
         divide(f, 3, 0, 2);
         f.tailLaunch = 5;
         f.tailLength = 3;
       }},
      {"blends", "octagon, \"add\" blend, falling weights, base 5",
       [](quill::KeyFrame& f) {
         regularPolygon(f, 8, 8);
         f.blendVariant = 1;
         f.numberBase = 5;
         for (size_t i = 0; i < f.blendWeights.size(); ++i) f.blendWeights[i] = static_cast<int16_t>(100 - 6 * i);
         divide(f, 1, 0, 3);
       }},
      {"grid-spiral", "48 x 36 grid, spiral order, digits in base 7",
       [](quill::KeyFrame& f) {
         grid(f, 36, 48, true);
         f.blendOn = quill::kFalse16;
         f.numberBase = 7;
         f.palette = quill::presetPalette(1);
       }},
      {"grid-divided", "8 x 6 grid, divided 3 times, \"sub\" blend, base 16",
       [](quill::KeyFrame& f) {
         grid(f, 6, 8, false);
         f.blendVariant = 2;
         f.numberBase = 16;
         f.startValue = 4096;
         divide(f, 3, 2, 2);
       }},
  };
  return examples;
}

// One example as "save state" writes it: the start-up frame, then the
// example's frame captured as a preview would.
bool writeGalleryExample(const GalleryExample& example, const quill::KeyFrame& startup, const std::string& path) {
  quill::KeyFrame frame = startup;
  example.settings(frame);
  quill::KeyFrameHistory history;
  history.start(startup);
  if (!history.capture(frame, "")) return false;
  const std::vector<uint8_t> bytes = quill::encodeStateFile(history.recordsForSave());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return !bytes.empty() && static_cast<bool>(out);
}

int writeGallery(const std::string& folder) {
  auto state = std::make_unique<quill::PatternState>();
  quill::loadStartupDefaults(*state);
  for (const GalleryExample& example : galleryExamples()) {
    const std::string path = folder + "/" + example.name + ".kvt";
    if (!writeGalleryExample(example, state->curFrame, path)) return 1;
    std::cout << path << "\n";
  }
  return 0;
}

// Every example's last frame, drawn as the headless renderer draws it, on a
// sheet of four columns with the file name and what it shows beneath.
bool writeContactSheet(const std::string& path) {
  struct Entry {
    std::string name;
    std::string caption;
  };
  std::vector<Entry> entries;
  for (const GalleryExample& example : galleryExamples()) entries.push_back({example.name, example.caption});
  entries.push_back({"morph", "a morph through three key frames (animation)"});
  constexpr int kCell = 300, kPicture = 240, kColumns = 4;
  const int rows = (static_cast<int>(entries.size()) + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCell, rows * kCell, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  QTemporaryDir dir;
  for (size_t k = 0; k < entries.size(); ++k) {
    const std::string picture = dir.filePath(QString::fromStdString(entries[k].name + ".png")).toStdString();
    std::ostringstream out, err;
    if (quill::runHeadlessRender({"examples/" + entries[k].name + ".kvt", "-o", picture, "--width", "600"}, out,
                                 err) != 0) {
      std::cerr << err.str();
      return false;
    }
    const QImage image = QImage(QString::fromStdString(picture))
                             .scaled(kCell - 20, kPicture, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const int x = static_cast<int>(k) % kColumns * kCell, y = static_cast<int>(k) / kColumns * kCell;
    painter.drawImage(x + (kCell - image.width()) / 2, y + 8 + (kPicture - image.height()) / 2, image);
    painter.drawText(QRect(x + 4, y + kPicture + 10, kCell - 8, kCell - kPicture - 12),
                     Qt::AlignHCenter | Qt::TextWordWrap,
                     QString::fromStdString(entries[k].name + ".kvt: " + entries[k].caption));
  }
  return sheet.save(QString::fromStdString(path));
}

// "live" ticked and the base changed: the panel around the check box beside
// the preview that followed the change.
bool writeLiveShot(quill::QuillavenApp& app, const std::string& path) {
  quill::MainWindow& form = app.mainWindow();
  form.findChild<QCheckBox*>("chkLive")->setChecked(true);
  form.findChild<QScrollBar*>("HScroll3")->setValue(7);
  while (form.liveRedrawPending()) QApplication::processEvents();
  const QPixmap controls = form.grab(QRect(0, 300, 172, 150));
  const QPixmap preview = app.preview().grab().scaledToHeight(2 * controls.height(), Qt::SmoothTransformation);
  QImage shot(2 * controls.width() + 12 + preview.width(), preview.height(), QImage::Format_RGB32);
  shot.fill(Qt::white);
  QPainter painter(&shot);
  painter.drawPixmap(QRect(0, 0, 2 * controls.width(), 2 * controls.height()), controls);
  painter.drawPixmap(2 * controls.width() + 12, 0, preview);
  painter.end();
  return shot.save(QString::fromStdString(path));
}

// Four frames of the example animation side by side.
bool writeAnimationStrip(const std::string& path) {
  QTemporaryDir dir;
  const std::string frames = dir.filePath("morph.bmp").toStdString();
  std::ostringstream out, err;
  if (quill::runHeadlessAnimation({"examples/morph.kvt", "--animate", "examples/morph.txt", "-o", frames}, out,
                                  err) != 0) {
    std::cerr << err.str();
    return false;
  }
  QImage strip(1200, 250, QImage::Format_RGB32);
  strip.fill(Qt::white);
  QPainter painter(&strip);
  const char* picks[] = {"001", "006", "011", "016"};
  for (int k = 0; k < 4; ++k) {
    const QImage frame(dir.filePath(QString("morph%1.bmp").arg(picks[k])));
    painter.drawImage(QRect(k * 300, 0, 300, 250), frame);
  }
  return strip.save(QString::fromStdString(path));
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  if (argc > 2 && std::string(argv[1]) == "--examples") return writeGallery(argv[2]) || writeExample(argv[2]);
  const std::string folder = argc > 1 ? argv[1] : "docs";

  quill::QuillavenApp app;
  app.start();
  QWidget* preview = app.mainWindow().findChild<QWidget*>("Command2");
  QTest::mouseClick(preview, Qt::LeftButton);
  QApplication::processEvents();

  const std::string mainPath = folder + "/mainwindow.png";
  const std::string previewPath = folder + "/preview.png";
  const bool ok = app.mainWindow().grab().save(QString::fromStdString(mainPath)) &&
                  app.preview().grab().save(QString::fromStdString(previewPath));
  // The export goes through the same passes as "save image" with "draw legend".
  const std::string legendPath = folder + "/legend.png";
  std::ostringstream written, errors;
  const bool legendOk =
      quill::runHeadlessRender({"-o", legendPath, "--legend", "--width", "800"}, written, errors) == 0;
  const std::string stripPath = folder + "/animation.png";
  const bool stripOk = writeAnimationStrip(stripPath);
  const std::string galleryPath = folder + "/gallery.png";
  const bool galleryOk = writeContactSheet(galleryPath);
  const std::string livePath = folder + "/live.png";
  const bool liveOk = writeLiveShot(app, livePath);
  if (!ok || !legendOk || !stripOk || !galleryOk || !liveOk) {
    std::cerr << "quillaven-screenshots: cannot write into " << folder << "\n";
    return 1;
  }
  std::cout << mainPath << "\n" << previewPath << "\n" << legendPath << "\n" << stripPath << "\n"
            << galleryPath << "\n" << livePath << "\n";
  return 0;
}
