#include "platform/message_box.h"

#include <windows.h>

#include <string>

namespace platform {
namespace {

UINT StyleFor(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return MB_YESNO;
    case Buttons::kYesNoCancel:
      return MB_YESNOCANCEL;
    case Buttons::kOk:
      break;
  }
  return MB_OK;
}

// A box that could not be shown (0, or -1 under wine) counts as closed without a choice.
Answer AnswerFor(int result, Buttons buttons) {
  switch (result) {
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    case IDCANCEL:
      return Answer::kCancel;
    case IDOK:
      return Answer::kOk;
    default:
      return FallbackAnswer(buttons);
  }
}

}  // namespace

Answer ShowMessageBox(const std::string& caption, const std::string& text, Buttons buttons) {
  const int result = MessageBoxA(nullptr, text.c_str(), caption.c_str(), StyleFor(buttons));
  return AnswerFor(result, buttons);
}

}  // namespace platform
