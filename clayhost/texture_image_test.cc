#include "clayhost/texture_image.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "testing/temp_folder.h"

namespace clayhost {
namespace {

const std::string kTestData = CLAYHOST_TESTDATA;

// stb opened a named pipe given as a texture and waited for ever.
TEST(CheckImageFileTest, ANamedPipeOrDeviceIsNoImage) {
  const gannet_testing::TempFolder folder("texture-image");
  const std::string pipe = (folder / "wood.png").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(CheckImageFile(pipe), "cannot read the image " + pipe + ": it is not a regular file");
  EXPECT_EQ(CheckImageFile("/dev/zero"),
            "cannot read the image /dev/zero: it is not a regular file");
  EXPECT_EQ(CheckImageFile(kTestData + "/crate.png"), std::nullopt);
}

}  // namespace
}  // namespace clayhost
