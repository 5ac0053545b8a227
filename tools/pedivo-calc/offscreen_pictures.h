#pragma once
// The reports' pictures in pedivo-calc: the windows' own painter, on Qt's offscreen platform, so
// that the command line needs no display whatever DISPLAY and QT_QPA_PLATFORM say. Only this
// part of pedivo-calc uses Qt (Qt Gui, no widgets); it is started only when reports are written.

#include <array>
#include <memory>
#include <string>

#include "design/files/design_report.h"

class QGuiApplication;

namespace pedivo::calc {

class OffscreenPictures {
 public:
  // Starts Qt's offscreen platform on the calling (main) thread.
  OffscreenPictures();
  ~OffscreenPictures();
  OffscreenPictures(const OffscreenPictures&) = delete;
  OffscreenPictures& operator=(const OffscreenPictures&) = delete;

  // The report's picture of a drawing; may be called on any thread while this object lives.
  PicturePainter painter() const;

 private:
  std::array<std::string, 3> arguments_{"pedivo-calc", "-platform", "offscreen"};
  std::array<char*, 4> argv_{};
  int argc_ = 3;
  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace pedivo::calc
