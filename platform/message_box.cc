// What both platforms' boxes share: the answer nobody gave and the plain
// OK box. The platform files only show the box.
#include <string>

#include "platform/message_box.h"

namespace platform {
namespace {

std::string& Caption() {
  static std::string caption;
  return caption;
}

}  // namespace

Answer FallbackAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return Answer::kNo;
    case Buttons::kYesNoCancel:
      return Answer::kCancel;
    case Buttons::kOk:
      break;
  }
  return Answer::kOk;
}

void ShowMessage(const std::string& text) {
  ShowMessageBox(Caption(), text, Buttons::kOk);
}

void SetMessageCaption(const std::string& caption) {
  Caption() = caption;
}

}  // namespace platform
