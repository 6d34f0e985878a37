#include "clayhost/message_boxes.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <vector>

#include "clayhost/ansi_text.h"

namespace clayhost {
namespace {

// Codes of platform/host_hook.h.
constexpr int kButtonsOk = 0;
constexpr int kButtonsYesNo = 1;
constexpr int kButtonsYesNoCancel = 2;

MessageBoxResponder* g_responder = nullptr;

struct ButtonSet {
  const char* word;
  std::vector<BoxAnswer> answers;  // first: the default button
};

ButtonSet ButtonsFor(int code) {
  switch (code) {
    case kButtonsYesNo:
      return {"yesno", {BoxAnswer::kYes, BoxAnswer::kNo}};
    case kButtonsYesNoCancel:
      return {"yesnocancel", {BoxAnswer::kYes, BoxAnswer::kNo, BoxAnswer::kCancel}};
    default:
      return {"ok", {BoxAnswer::kOk}};
  }
}

const char* AnswerWord(BoxAnswer answer) {
  switch (answer) {
    case BoxAnswer::kOk:
      return "ok";
    case BoxAnswer::kYes:
      return "yes";
    case BoxAnswer::kNo:
      return "no";
    case BoxAnswer::kCancel:
      return "cancel";
  }
  return "ok";
}

int AnswerCode(BoxAnswer answer) {
  switch (answer) {
    case BoxAnswer::kOk:
      return 1;
    case BoxAnswer::kCancel:
      return 2;
    case BoxAnswer::kYes:
      return 6;
    case BoxAnswer::kNo:
      return 7;
  }
  return 1;
}

std::string JsonText(std::string_view bytes) {
  return nlohmann::json(Latin1ToUtf8(bytes)).dump();
}

/// The box's text for a terminal: UTF-8, CR LF as one line break.
std::string DisplayText(std::string_view bytes) {
  std::string text = Latin1ToUtf8(bytes);
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    }
    shown += text[i];
  }
  return shown;
}

}  // namespace

std::optional<BoxAnswer> ParseBoxAnswer(std::string_view word) {
  for (const BoxAnswer answer :
       {BoxAnswer::kOk, BoxAnswer::kYes, BoxAnswer::kNo, BoxAnswer::kCancel}) {
    if (word == AnswerWord(answer)) {
      return answer;
    }
  }
  return std::nullopt;
}

std::string TranscriptLine(std::string_view caption, std::string_view text,
                           std::string_view buttons, std::string_view answer, bool error) {
  return "{\"caption\": " + JsonText(caption) + ", \"text\": " + JsonText(text) +
         ", \"buttons\": " + JsonText(buttons) + ", \"answer\": " + JsonText(answer) +
         (error ? ", \"error\": true}" : "}");
}

bool IsErrorBox(std::string_view text, int buttons) {
  if (buttons != kButtonsOk) {
    return false;
  }
  constexpr std::string_view kWord = "error";
  constexpr std::string_view kPassedOn = "-ERROR-";
  bool begins = text.size() >= kWord.size();
  for (std::size_t i = 0; begins && i < kWord.size(); ++i) {
    begins = (text[i] | 0x20) == kWord[i];
  }
  // The word itself, not "Errors" or "Erroneous".
  if (begins && text.size() > kWord.size()) {
    const char next = static_cast<char>(text[kWord.size()] | 0x20);
    begins = next < 'a' || next > 'z';
  }
  const bool ends =
      text.size() >= kPassedOn.size() && text.substr(text.size() - kPassedOn.size()) == kPassedOn;
  return begins || ends;
}

MessageBoxResponder::MessageBoxResponder(std::map<std::string, BoxAnswer> answers,
                                         std::ostream& display, std::ostream* transcript,
                                         std::ostream& diagnostics)
    : answers_(std::move(answers)),
      display_(&display),
      transcript_(transcript),
      diagnostics_(&diagnostics) {}

int MessageBoxResponder::Answer(const char* caption, const char* text, int buttons) {
  if (caption == nullptr || text == nullptr) {
    *diagnostics_ << "clayhost: plug-in error: message box with a null "
                  << (caption == nullptr ? "caption" : "text") << "\n";
  }
  const std::string caption_text = caption != nullptr ? caption : "";
  const std::string body = text != nullptr ? text : "";
  if (buttons != kButtonsOk && buttons != kButtonsYesNo && buttons != kButtonsYesNoCancel) {
    *diagnostics_ << "clayhost: plug-in error: message box \"" << Latin1ToUtf8(caption_text)
                  << "\" with unknown buttons code " << buttons << ", shown with OK\n";
  }
  const ButtonSet offered = ButtonsFor(buttons);
  BoxAnswer answer = offered.answers.front();
  const auto given = answers_.find(caption_text);
  if (given != answers_.end()) {
    bool offers = false;
    for (const BoxAnswer button : offered.answers) {
      offers = offers || button == given->second;
    }
    if (offers) {
      answer = given->second;
    } else {
      *diagnostics_ << "clayhost: the answer " << AnswerWord(given->second) << " for \""
                    << Latin1ToUtf8(caption_text) << "\" is not a button of this " << offered.word
                    << " box; answering " << AnswerWord(answer) << "\n";
    }
  }
  ++box_count_;
  const bool error = IsErrorBox(body, buttons);
  error_box_count_ += error ? 1 : 0;
  *display_ << "--- message box \"" << DisplayText(caption_text) << "\" (" << offered.word
            << ") ---\n"
            << DisplayText(body) << (body.empty() || body.back() == '\n' ? "" : "\n")
            << "--- answered: " << AnswerWord(answer) << " ---\n";
  display_->flush();
  if (transcript_ != nullptr) {
    *transcript_ << TranscriptLine(caption_text, body, offered.word, AnswerWord(answer), error)
                 << "\n";
    transcript_->flush();
  }
  return AnswerCode(answer);
}

void SetMessageBoxResponder(MessageBoxResponder* responder) {
  g_responder = responder;
}

int AnswerMessageBox(const char* caption, const char* text, int buttons) {
  if (g_responder == nullptr) {
    return buttons == kButtonsOk ? AnswerCode(BoxAnswer::kOk) : AnswerCode(BoxAnswer::kYes);
  }
  return g_responder->Answer(caption, text, buttons);
}

}  // namespace clayhost
