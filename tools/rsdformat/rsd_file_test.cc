#include "tools/rsdformat/rsd_file.h"

#include <gtest/gtest.h>

#include "tools/rsdformat/read_error.h"

namespace rsdformat {
namespace {

std::string ErrorOf(std::string_view text) {
  try {
    ParseRsd(text, "m.rsd");
  } catch (const ReadError& error) {
    return error.what();
  }
  return "no error";
}

TEST(RsdFile, ReadsWhatTheExporterWrites) {
  const RsdFile rsd = ParseRsd(
      "#created with Gannet v2 May 2023 for MarbleClay.\r\n@RSD940102\r\nPLY=ship.ply\r\n"
      "MAT=ship.mat\r\nNTEX=2\r\nTEX[0]=ship0.tim\r\nTEX[1]=ship1.tim\r\n",
      "ship.rsd");
  EXPECT_EQ(rsd.file, "ship.rsd");
  EXPECT_EQ(rsd.ply, "ship.ply");
  EXPECT_EQ(rsd.mat, "ship.mat");
  EXPECT_EQ(rsd.grp, "");
  EXPECT_EQ(rsd.textures, (std::vector<std::string>{"ship0.tim", "ship1.tim"}));
}

TEST(RsdFile, AcceptsAnyOrderAGroupFileAndSpacesAroundValues) {
  const RsdFile rsd = ParseRsd(
      "@RSD940102\nTEX[1] = b.tim \nGRP=m.grp\nNTEX=2\nMAT=m.mat\nTEX[0]=a b.tim\nPLY=m.ply\n",
      "m.rsd");
  EXPECT_EQ(rsd.grp, "m.grp");
  EXPECT_EQ(rsd.textures, (std::vector<std::string>{"a b.tim", "b.tim"}));
  EXPECT_TRUE(ParseRsd("@RSD940102\nPLY=a\nMAT=b\n", "m.rsd").textures.empty());
}

TEST(RsdFile, ErrorsNameTheLineAndTheValue) {
  EXPECT_EQ(ErrorOf(""), "m.rsd:1: the file ends where the line @RSD940102 was expected");
  EXPECT_EQ(ErrorOf("@RSD9401\nPLY=a\n"), "m.rsd:1: expected @RSD940102, found '@RSD9401'");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\nMAT=b\nPLY=c\n"), "m.rsd:4: second PLY line");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\n"), "m.rsd: no MAT= line");
  EXPECT_EQ(ErrorOf("@RSD940102\nMAT=a\n"), "m.rsd: no PLY= line");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=\nMAT=a\n"), "m.rsd:2: PLY names no file");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\nMAT=b\nCOLOR=1\n"), "m.rsd:4: unknown key 'COLOR'");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\nMAT=b\nTEX[x]=1\n"), "m.rsd:4: unknown key 'TEX[x]'");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY a\n"), "m.rsd:2: expected KEY=VALUE: 'PLY a'");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\nMAT=b\nNTEX=two\n"),
            "m.rsd:4: NTEX is not a texture count 0..4096: 'two'");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\nMAT=b\nNTEX=2\nTEX[0]=a\n"),
            "m.rsd:4: NTEX=2 but no TEX[1] line");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\nMAT=b\nNTEX=1\nTEX[0]=a\nTEX[1]=b\n"),
            "m.rsd:6: TEX[1] is beyond NTEX=1");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\nMAT=b\nTEX[0]=a\n"), "m.rsd:4: TEX[0] is beyond NTEX=0");
  EXPECT_EQ(ErrorOf("@RSD940102\nPLY=a\nMAT=b\nNTEX=1\nTEX[0]=a\nTEX[0]=b\n"),
            "m.rsd:6: second TEX[0] line (first at line 5)");
}

TEST(RsdFile, NamesAreResolvedInTheRsdFilesFolder) {
  EXPECT_EQ(ResolveName("out/export/ship.rsd", "ship0.tim"), "out/export/ship0.tim");
  EXPECT_EQ(ResolveName("ship.rsd", "ship0.tim"), "ship0.tim");
  EXPECT_EQ(ResolveName("out/ship.rsd", "/abs/t.tim"), "/abs/t.tim");
}

}  // namespace
}  // namespace rsdformat
