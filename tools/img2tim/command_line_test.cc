#include "tools/img2tim/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace img2tim {
namespace {

std::optional<Arguments> Parse(const std::vector<std::string>& args) {
  CommandLineError error;
  std::optional<Arguments> parsed = ParseArguments(args, error);
  EXPECT_TRUE(parsed) << error.message;
  return parsed;
}

CommandLineError Refusal(const std::vector<std::string>& args) {
  CommandLineError error;
  EXPECT_FALSE(ParseArguments(args, error));
  return error;
}

TEST(CommandLine, TheExportersLine) {
  const auto args = Parse({"-t", "-bpp", "8", "-tcol", "0", "0", "0", "-org", "640", "0", "-plt",
                           "640", "256", "-o", "/x/ship0.tim", "/x/ship0-resized.bmp"});
  ASSERT_TRUE(args);
  EXPECT_EQ(args->settings.bits_per_pixel, 8);
  EXPECT_TRUE(args->settings.semi_transparent);
  EXPECT_EQ(args->settings.transparent, (Rgb{0, 0, 0}));
  EXPECT_EQ(args->settings.image_x, 640);
  EXPECT_EQ(args->settings.palette_x, 640);
  EXPECT_EQ(args->settings.palette_y, 256);
  EXPECT_EQ(args->output, "/x/ship0.tim");
  EXPECT_EQ(args->input, "/x/ship0-resized.bmp");
}

TEST(CommandLine, DefaultsOfAScriptWrittenForTheOtherConverter) {
  const auto args = Parse({"a.b/pic.png"});
  ASSERT_TRUE(args);
  EXPECT_EQ(args->output, "a.b/pic.tim");
  EXPECT_FALSE(args->settings.bits_per_pixel);  // the source's depth
  EXPECT_EQ(args->settings.image_x, 640);
  EXPECT_EQ(args->settings.image_y, 0);
  EXPECT_EQ(args->settings.palette_x, 0);
  EXPECT_EQ(args->settings.palette_y, 480);
  EXPECT_FALSE(args->settings.transparent);
  EXPECT_FALSE(args->settings.transparent_index);
  EXPECT_FALSE(args->settings.opaque_black || args->settings.semi_transparent ||
               args->settings.use_alpha);
  EXPECT_EQ(args->settings.alpha_threshold, 128);
  EXPECT_EQ(Parse({"pic"})->output, "pic.tim");
}

TEST(CommandLine, EveryOptionInAnyCase) {
  const auto args = Parse({"-B",   "-UseAlpha", "-ALPT", "200",  "-TIndex", "3",     "-Bpp",  "4",
                           "-ORG", "0",         "8",     "-PLT", "16",      "500",   "-TCOL", "1",
                           "2",    "3",         "-T",    "-O",   "out.tim", "IN.TGA"});
  ASSERT_TRUE(args);
  const TimSettings& s = args->settings;
  EXPECT_TRUE(s.opaque_black);
  EXPECT_TRUE(s.use_alpha);
  EXPECT_EQ(s.alpha_threshold, 200);
  EXPECT_EQ(s.transparent_index, 3);
  EXPECT_EQ(s.bits_per_pixel, 4);
  EXPECT_EQ(s.image_y, 8);
  EXPECT_EQ(s.palette_x, 16);
  EXPECT_EQ(s.palette_y, 500);
  EXPECT_EQ(s.transparent, (Rgb{1, 2, 3}));
  EXPECT_TRUE(s.semi_transparent);
  EXPECT_EQ(args->output, "out.tim");
  EXPECT_EQ(args->input, "IN.TGA");
}

TEST(CommandLine, NoArgumentsAskForTheUsage) {
  const auto args = Parse({});
  ASSERT_TRUE(args);
  EXPECT_TRUE(args->show_usage);
  EXPECT_TRUE(Parse({"--VERSION"})->show_version);
  // The usage must not read as a failure to the exporter.
  EXPECT_EQ(Usage().find("ERROR"), std::string::npos);
  EXPECT_EQ(Usage().find("Invalid"), std::string::npos);
}

TEST(CommandLine, WrongValuesSayWhatIsWrong) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"-bpp", "24", "a.bmp"}, "Invalid bit depth 24, only 4, 8 or 16"},
      {{"-bpp"}, "Invalid value for -bpp: it takes a number"},
      {{"-tcol", "0", "0", "a.bmp"},
       "Invalid value for -tcol: a.bmp is not a whole number from 0 "
       "to 255"},
      {{"-TCOL", "0", "256", "0", "a.bmp"},
       "Invalid value for -TCOL: 256 is not a whole number from 0 to 255"},
      {{"-org", "-1", "0", "a.bmp"},
       "Invalid value for -org: -1 is not a whole number from 0 to 65535"},
      {{"-plt", "0"}, "Invalid value for -plt: it takes 2 numbers"},
      {{"-alpt", "x", "a.png"}, "Invalid value for -alpt: x is not a whole number from 0 to 255"},
      {{"-tindex", "256", "a.png"},
       "Invalid value for -tindex: 256 is not a whole number from 0 to 255"},
      {{"a.bmp", "-o"}, "Invalid value for -o: it takes a file name"},
  };
  for (const auto& [args, message] : cases) {
    const CommandLineError error = Refusal(args);
    EXPECT_EQ(error.message, message);
    EXPECT_FALSE(error.with_usage) << message;
  }
}

TEST(CommandLine, AWrongShapeComesWithTheUsage) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"-x", "a.bmp"}, "Invalid option -x"},
      {{"a.bmp", "b.bmp"}, "Invalid argument b.bmp: only one input file"},
      {{"-t"}, "Invalid command line: no input file"},
  };
  for (const auto& [args, message] : cases) {
    const CommandLineError error = Refusal(args);
    EXPECT_EQ(error.message, message);
    EXPECT_TRUE(error.with_usage) << message;
  }
}

}  // namespace
}  // namespace img2tim
