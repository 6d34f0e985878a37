#include "clayhost/scene_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace clayhost {
namespace {

const std::string kTestData = CLAYHOST_TESTDATA;

std::string ErrorOfLoading(const std::string& path) {
  try {
    LoadScene(path);
  } catch (const SceneError& error) {
    return error.what();
  }
  return "(no error)";
}

// One triangle as OBJ text: no JSON reader accepts it.
constexpr char kTriangleObj[] = "o tri\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";

// A scene file in a temporary folder of its own, removed at the end of the
// test.
class SceneFile {
 public:
  SceneFile(const std::string& name, const std::string& content) : path_(folder_ / name) {
    gannet_testing::WriteBytes(path_, content);
  }
  std::string path() const { return path_.string(); }

 private:
  const gannet_testing::TempFolder folder_{"scene-loader-test"};
  const std::filesystem::path path_;
};

TEST(LoadSceneTest, AJsonFileIsReadAsJson) {
  const Scene scene = LoadScene(kTestData + "/probe.json");
  ASSERT_EQ(scene.objects.size(), 1u);
  EXPECT_EQ(scene.objects[0].FindAttribute("Name")->value, "boat");
}

TEST(LoadSceneTest, TheObjEndingPicksTheObjReaderInAnyCase) {
  const SceneFile upper("TRI.OBJ", kTriangleObj);
  EXPECT_EQ(LoadScene(upper.path()).objects.at(0).faces.size(), 1u);
  // Any other ending goes to the JSON reader, which rejects the OBJ text.
  const SceneFile other("tri.objx", kTriangleObj);
  EXPECT_EQ(ErrorOfLoading(other.path()).rfind(other.path() + ": parse error at line 1,", 0), 0u)
      << ErrorOfLoading(other.path());
}

TEST(LoadSceneTest, AMissingFileIsNamedAndAFolderOrDeviceToo) {
  EXPECT_EQ(ErrorOfLoading(kTestData + "/none.json"),
            kTestData + "/none.json: cannot read the file: no such file");
  EXPECT_EQ(ErrorOfLoading("a.obj"), "a.obj: cannot read the file: no such file");
  // Both were "no such file" once.
  EXPECT_EQ(ErrorOfLoading(kTestData), kTestData + ": cannot read (a folder, not a regular file)");
  EXPECT_EQ(ErrorOfLoading("/dev/zero"), "/dev/zero: cannot read (a device, not a regular file)");
}

// What the host must never write over.
TEST(LoadSceneTest, KnowsEveryFileTheSceneWasReadFrom) {
  const Scene scene = LoadScene(kTestData + "/cube.obj");
  std::vector<std::string> sources = scene.sources;
  std::sort(sources.begin(), sources.end());
  EXPECT_EQ(sources, (std::vector<std::string>{kTestData + "/crate.png", kTestData + "/cube.mtl",
                                               kTestData + "/cube.obj"}));
}

}  // namespace
}  // namespace clayhost
