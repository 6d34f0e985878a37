#include "exportlib/object_attributes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "exportlib/conversion_error.h"

namespace exportlib {
namespace {

// Object 1's attributes, served by the two-call text protocol.
std::map<std::string, std::string> g_attributes;
int g_calls = 0;
bool g_refuse_second_call = false;

std::int32_t MCP_CALL GetObjectAttribute(mcp::Handle object, const char* name, char* buffer,
                                         std::int32_t size) {
  ++g_calls;
  const auto found = g_attributes.find(name);
  if (object != 1 || found == g_attributes.end()) {
    return 0;
  }
  const auto needed = static_cast<std::int32_t>(found->second.size() + 1);
  if (buffer == nullptr) {
    return size == 0 ? needed : 0;
  }
  if (g_refuse_second_call || size < needed) {
    return 0;
  }
  std::memcpy(buffer, found->second.c_str(), found->second.size() + 1);
  return needed;
}

class ObjectAttributesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table_.Store(mcp::kGetObjectAttribute, reinterpret_cast<std::uintptr_t>(&GetObjectAttribute));
    g_attributes = {{"Activated", "1"}, {"Name", "Ship Hull"}, {"Empty", ""},
                    {"Bad", "12a"},     {"Negative", "-40"},   {"Huge", "2147483648"}};
    g_calls = 0;
    g_refuse_second_call = false;
  }
  mcp::CallbackTable table_;
  mcp::HostApi host_{table_};
};

TEST_F(ObjectAttributesTest, IntegersAndTheirDefaults) {
  EXPECT_EQ(ReadIntAttribute(host_, 1, "Activated", 0), 1);
  EXPECT_EQ(ReadIntAttribute(host_, 1, "Negative", 0), -40);
  EXPECT_EQ(ReadIntAttribute(host_, 1, "Missing", 7), 7);
  EXPECT_EQ(ReadIntAttribute(host_, 2, "Activated", 5), 5);
}

TEST_F(ObjectAttributesTest, NonIntegerTextIsAFailureNotTheDefault) {
  EXPECT_THROW(ReadIntAttribute(host_, 1, "Bad", 0), ConversionError);
  EXPECT_THROW(ReadIntAttribute(host_, 1, "Name", 0), ConversionError);
  EXPECT_THROW(ReadIntAttribute(host_, 1, "Huge", 0), ConversionError);
}

TEST_F(ObjectAttributesTest, EmptyTextIsTheDefaultForIntegers) {
  // The host answers size 1 and the text "": an empty answer.
  EXPECT_EQ(ReadIntAttribute(host_, 1, "Empty", 0), 0);
  EXPECT_EQ(ReadIntAttribute(host_, 1, "Empty", 3), 3);
}

TEST_F(ObjectAttributesTest, TextsAndTheirDefaults) {
  EXPECT_EQ(ReadTextAttribute(host_, 1, "Name", "(noname)"), "Ship Hull");
  EXPECT_EQ(ReadTextAttribute(host_, 1, "Missing", "(noname)"), "(noname)");
  EXPECT_EQ(ReadTextAttribute(host_, 1, "Empty", "(noname)"), "");
  EXPECT_EQ(g_calls, 5);  // two calls for each present attribute, one for the absent
}

TEST_F(ObjectAttributesTest, RefusedSecondCallGivesTheDefault) {
  g_refuse_second_call = true;
  EXPECT_EQ(ReadTextAttribute(host_, 1, "Name", "(noname)"), "(noname)");
  EXPECT_EQ(ReadIntAttribute(host_, 1, "Bad", 9), 9);
}

}  // namespace
}  // namespace exportlib
