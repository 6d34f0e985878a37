#include "tools/rsdformat/text_lines.h"

#include <gtest/gtest.h>

#include "testing/file_bytes.h"
#include "testing/temp_folder.h"
#include "tools/rsdformat/tim_file.h"

namespace rsdformat {
namespace {

std::vector<std::pair<int, std::string>> AllLines(std::string_view text) {
  TextCursor cursor(text, "t.txt");
  std::vector<std::pair<int, std::string>> lines;
  while (auto line = cursor.Next()) {
    lines.emplace_back(line->number, std::string(line->text));
  }
  return lines;
}

TEST(TextCursor, SkipsCommentsAndBlankLinesAndKeepsLineNumbers) {
  const auto lines = AllLines("# one\r\n\r\nfirst\r\n  # indented comment\n\t\nsecond\nthird");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::make_pair(3, std::string("first")));
  EXPECT_EQ(lines[1], std::make_pair(6, std::string("second")));
  EXPECT_EQ(lines[2], std::make_pair(7, std::string("third")));
}

TEST(TextCursor, ALoneCarriageReturnStaysInTheLine) {
  const auto lines = AllLines("a\rb\r\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].second, "a\rb");
}

TEST(TextCursor, EndErrorsNameTheLastLine) {
  TextCursor cursor("@X\r\n# c\r\n", "m.mat");
  cursor.Next();
  try {
    cursor.Expect("a count");
    FAIL();
  } catch (const ReadError& error) {
    EXPECT_STREQ(error.what(), "m.mat:2: the file ends where a count was expected");
  }
  TextCursor extra("a\nb\n", "p.ply");
  extra.Next();
  try {
    extra.ExpectEnd("the last polygon");
    FAIL();
  } catch (const ReadError& error) {
    EXPECT_STREQ(error.what(), "p.ply:2: unexpected line after the last polygon: 'b'");
  }
}

TEST(Fields, SplitsAtSpacesAndTabs) {
  const std::string file = "f";
  const Fields fields(TextLine{1, " 1\t 2  three "}, file);
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[0], "1");
  EXPECT_EQ(fields[2], "three");
}

TEST(Fields, NumbersAndTheirMessages) {
  const std::string file = "x.ply";
  const Fields fields(TextLine{9, "12 -3 +4 0x10 1e5 1,5 inf 99999999999 . -0.5e-1 1e"}, file);
  EXPECT_EQ(fields.Integer(0, "count", 0, 100), 12);
  EXPECT_EQ(fields.Integer(1, "count", -5, 100), -3);
  EXPECT_EQ(fields.Integer(2, "count", 0, 100), 4);
  EXPECT_DOUBLE_EQ(fields.Real(4, "x"), 1e5);
  EXPECT_DOUBLE_EQ(fields.Real(9, "x"), -0.05);
  EXPECT_DOUBLE_EQ(fields.Real(0, "x"), 12.0);
  const auto message = [&](auto call) {
    try {
      call();
    } catch (const ReadError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { fields.Integer(0, "index", 0, 11); }),
            "x.ply:9: index 12 is out of range 0..11");
  EXPECT_EQ(message([&] { fields.Integer(3, "index", 0, 100); }),
            "x.ply:9: index is not a whole number: '0x10'");
  EXPECT_EQ(message([&] { fields.Integer(4, "index", 0, 100); }),
            "x.ply:9: index is not a whole number: '1e5'");
  EXPECT_EQ(message([&] { fields.Real(5, "y"); }), "x.ply:9: y is not a number: '1,5'");
  EXPECT_EQ(message([&] { fields.Real(6, "y"); }), "x.ply:9: y is not a number: 'inf'");
  EXPECT_EQ(message([&] { fields.Real(8, "y"); }), "x.ply:9: y is not a number: '.'");
  EXPECT_EQ(message([&] { fields.Real(10, "y"); }), "x.ply:9: y is not a number: '1e'");
  EXPECT_EQ(message([&] { fields.Integer(7, "n", 0, INT32_MAX); }),
            "x.ply:9: n 99999999999 is out of range 0..2147483647");
  EXPECT_EQ(message([&] { fields.ExpectCount(3, "x y z"); }),
            "x.ply:9: expected 3 fields (x y z), found 11: '12 -3 +4 0x10 1e5 1,5 inf "
            "99999999999 . ...'");
}

TEST(Fields, RealsBeyondTheDoubleRangeAreRefused) {
  const std::string file = "f";
  const Fields fields(TextLine{1, "1e999"}, file);
  EXPECT_THROW(fields.Real(0, "x"), ReadError);
}

TEST(Quoted, EscapesBytesThatAreNotPrintable) {
  EXPECT_EQ(Quoted(std::string_view("a\0b\xff", 4)), "'a\\x00b\\xff'");
  EXPECT_EQ(Quoted(std::string(50, 'z')), "'" + std::string(40, 'z') + "...'");
}

TEST(ReadWholeFile, NamesTheFileAndWhatIsWrongWithIt) {
  const auto message = [](const std::filesystem::path& path, std::uint64_t limit) {
    try {
      ReadWholeFile(path, limit);
    } catch (const ReadError& error) {
      EXPECT_EQ(error.file(), path.string());
      return std::string(error.what());
    }
    return std::string("read");
  };
  EXPECT_EQ(message("/nonexistent/ship0.tim", kTimFileLimit),
            "/nonexistent/ship0.tim: cannot read (No such file or directory)");
  // An RSD file naming /dev/zero as its PLY once grew to 2 GB and aborted.
  EXPECT_EQ(message("/dev/zero", kTextFileLimit),
            "/dev/zero: cannot read (a device, not a regular file)");
  const gannet_testing::TempFolder folder("text-lines");
  gannet_testing::WriteBytes(folder / "big.ply", std::string(11, 'x'));
  EXPECT_EQ(
      message(folder / "big.ply", 10),
      (folder / "big.ply").string() + ": cannot read (11 bytes, beyond the limit of 10 bytes)");
}

TEST(TextCursor, RefusesALineBeyondTheLongest) {
  const std::string text = "@PLY940102\n" + std::string(kLongestLine + 1, '1') + "\n";
  TextCursor cursor(text, "s.ply");
  cursor.Next();
  try {
    cursor.Next();
    FAIL();
  } catch (const ReadError& error) {
    EXPECT_STREQ(error.what(), "s.ply:2: line 2 is longer than the limit of 1048576 bytes");
  }
  const std::string longest = std::string(kLongestLine, '2');
  TextCursor fits(longest, "s.ply");
  EXPECT_EQ(fits.Next()->text.size(), kLongestLine);
}

}  // namespace
}  // namespace rsdformat
