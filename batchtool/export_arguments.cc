#include "batchtool/export_arguments.h"

#include "exportlib/text_rules.h"

namespace batchtool {
namespace {

using exportlib::FromPosition;
using exportlib::TrimControl;

// The text up to and including its first space, trimmed; empty without a space.
std::string_view CutAtFirstSpace(std::string_view text) {
  const auto space = text.find(' ');
  return space == std::string_view::npos ? std::string_view()
                                         : TrimControl(text.substr(0, space + 1));
}

long long Length(std::string_view text) {
  return static_cast<long long>(text.size());
}

}  // namespace

ExportArgumentTexts CutExportArguments(std::string_view command_text, bool with_launch_mode) {
  const auto first_space = command_text.find(' ');
  const std::string_view rest = TrimControl(
      first_space == std::string_view::npos ? command_text : command_text.substr(first_space + 1));

  ExportArgumentTexts texts;
  const std::string_view name = CutAtFirstSpace(rest);
  const std::string_view file_name =
      CutAtFirstSpace(TrimControl(FromPosition(rest, Length(name) + 1)));
  const std::string_view number_text =
      TrimControl(FromPosition(rest, Length(name) + Length(file_name) + 2));
  texts.name = name;
  texts.file_name = file_name;
  if (!with_launch_mode) {
    texts.scale = number_text;
    return texts;
  }
  const std::string_view scale = CutAtFirstSpace(number_text);
  texts.scale = scale;
  texts.launch_mode =
      TrimControl(FromPosition(rest, Length(name) + Length(file_name) + Length(scale) + 3));
  return texts;
}

}  // namespace batchtool
