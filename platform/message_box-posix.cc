#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>

#include "platform/host_hook.h"
#include "platform/message_box.h"

// Resolved at load time from the program that loaded the plug-in; null when
// that program does not export it.
extern "C" int ClayHostMessageBox(const char* caption, const char* text, int buttons)
    __attribute__((weak));

namespace platform {
namespace {

constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

int ButtonCode(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return 0;
    case Buttons::kYesNo:
      return 1;
    case Buttons::kYesNoCancel:
      return 2;
  }
  return 0;
}

bool Offers(Buttons buttons, Answer answer) {
  switch (buttons) {
    case Buttons::kOk:
      return answer == Answer::kOk;
    case Buttons::kYesNo:
      return answer == Answer::kYes || answer == Answer::kNo;
    case Buttons::kYesNoCancel:
      return answer != Answer::kOk;
  }
  return false;
}

// An answer the box does not offer (a host that could not show it) is no
// answer at all.
Answer FromHookAnswer(int code, Buttons buttons) {
  std::optional<Answer> answer;
  switch (code) {
    case kAnswerOk:
      answer = Answer::kOk;
      break;
    case kAnswerCancel:
      answer = Answer::kCancel;
      break;
    case kAnswerYes:
      answer = Answer::kYes;
      break;
    case kAnswerNo:
      answer = Answer::kNo;
      break;
    default:
      break;
  }
  return answer && Offers(buttons, *answer) ? *answer : FallbackAnswer(buttons);
}

const char* Prompt(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return "[OK] ";
    case Buttons::kYesNo:
      return "[Y]es / [N]o? ";
    case Buttons::kYesNoCancel:
      return "[Y]es / [N]o / [C]ancel? ";
  }
  return "";
}

std::optional<Answer> ParseReply(const std::string& reply, Buttons buttons) {
  const char first = reply.empty() ? '\0' : static_cast<char>(reply[0] | 0x20);
  if (buttons == Buttons::kOk) {
    return Answer::kOk;
  }
  if (first == 'y') {
    return Answer::kYes;
  }
  if (first == 'n') {
    return Answer::kNo;
  }
  if (first == 'c' && buttons == Buttons::kYesNoCancel) {
    return Answer::kCancel;
  }
  return std::nullopt;
}

// The box on the terminal: the plug-in's own stderr, so that a host's
// standard output stays its own.
Answer AskOnTerminal(const std::string& caption, const std::string& text, Buttons buttons) {
  std::cerr << "--- " << caption << " ---\n" << text << "\n";
  const bool interactive = isatty(STDIN_FILENO) != 0;
  while (true) {
    std::cerr << Prompt(buttons) << std::flush;
    std::string reply;
    if (!interactive || !std::getline(std::cin, reply)) {
      std::cerr << "\n";
      return FallbackAnswer(buttons);
    }
    if (auto answer = ParseReply(reply, buttons)) {
      return *answer;
    }
  }
}

}  // namespace

Answer ShowMessageBox(const std::string& caption, const std::string& text, Buttons buttons) {
  if (ClayHostMessageBox != nullptr) {
    return FromHookAnswer(ClayHostMessageBox(caption.c_str(), text.c_str(), ButtonCode(buttons)),
                          buttons);
  }
  return AskOnTerminal(caption, text, buttons);
}

}  // namespace platform
