#pragma once
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "editor/AniNameDialog.h"
#include "editor/DivisionDialog.h"
#include "engine/PatternState.h"
#include "mainwindow/BlendModeDialog.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/WindowDirectory.h"
#include "support/ScriptedServices.h"
#include "support/Widgets.h"

namespace quill {

// The other windows, as far as the main window sees them: calls are logged.
class FakeWindows : public WindowDirectory {
 public:
  explicit FakeWindows(PatternState& s) : state(s) {}
  DesktopServices& services() override { return scripted; }
  void showPreview() override { calls.push_back("showPreview"); }
  std::optional<int64_t> showPreviewCounting() override {
    showPreview();
    return std::nullopt;
  }
  void hidePreview() override { calls.push_back("hidePreview"); }
  bool previewVisible() const override { return false; }
  bool previewBusy() const override { return busy; }
  void reactivateAnimator() override { calls.push_back("reactivateAnimator"); }
  void loadBlendOptions() override { calls.push_back("loadBlendOptions"); }
  void showBlendOptions() override { calls.push_back("showBlendOptions"); }
  void showAnimator() override { calls.push_back("showAnimator"); }
  void updateGeos() override {}
  BlendModeDialog& blendDialog() override {
    if (!blend) blend = std::make_unique<BlendModeDialog>(state, *this);
    return *blend;
  }
  DivisionDialog& divisionDialog() override {
    if (!division) division = std::make_unique<DivisionDialog>(scripted);
    return *division;
  }
  AniNameDialog& namingDialog() override {
    if (!naming) naming = std::make_unique<AniNameDialog>();
    return *naming;
  }
  void showDivisionDialog() override { calls.push_back("showDivisionDialog"); }
  void showNamingDialog() override { calls.push_back("showNamingDialog"); }
  void applyExportControls(const KeyFrame&) override { calls.push_back("applyExportControls"); }
  void showNotice(const NoticeLines& lines) override {
    calls.push_back("showNotice " + lines.verb + (lines.detail ? " " + lines.fileName + " | " + *lines.detail : ""));
  }
  void closeOtherWindows() override { calls.push_back("closeOtherWindows"); }

  PatternState& state;
  ScriptedServices scripted;
  std::vector<std::string> calls;
  bool busy = false;
  std::unique_ptr<BlendModeDialog> blend;
  std::unique_ptr<DivisionDialog> division;
  std::unique_ptr<AniNameDialog> naming;
};

using Calls = std::vector<std::string>;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : form(std::make_unique<MainWindow>(state, windows)) {
    form->show();
    windows.calls.clear();
  }

  template <typename W = QWidget>
  W* find(const char* name) const { return in<W>(form.get(), name); }
  QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
  // The caption of a label or button, or the contents of a box.
  QString text(const char* name) const {
    if (auto* label = form->findChild<QLabel*>(name)) return label->text();
    if (auto* button = form->findChild<QAbstractButton*>(name)) return button->text();
    return box(name)->text();
  }
  bool checked(const char* name) const { return find<QAbstractButton>(name)->isChecked(); }
  void setChecked(const char* name, bool on) { find<QAbstractButton>(name)->setChecked(on); }
  void setBase(int base) { find<QScrollBar>("HScroll3")->setValue(base); }

  // Types text over the whole box, one validated keystroke at a time.
  void retype(const char* name, const QString& typed) {
    QLineEdit* b = box(name);
    b->setFocus();
    b->selectAll();
    QTest::keyClicks(b, typed);
  }
  // Replaces the whole text in one change, as pasting does (pasting nothing empties the box).
  void paste(const char* name, const QString& pasted) {
    QApplication::clipboard()->setText(pasted);
    box(name)->selectAll();
    QTest::keyClick(box(name), Qt::Key_V, Qt::ControlModifier);
  }
  void click(const char* name) { quill::click(form.get(), name); }

  int beeps() const { return windows.scripted.beeps; }
  const std::vector<ScriptedServices::Message>& messages() const { return windows.scripted.messages; }

  PatternState state;
  FakeWindows windows{state};
  std::unique_ptr<MainWindow> form;
};

}  // namespace quill
