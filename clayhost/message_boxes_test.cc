#include "clayhost/message_boxes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace clayhost {
namespace {

constexpr int kOk = 0;
constexpr int kYesNo = 1;
constexpr int kYesNoCancel = 2;

TEST(TranscriptLineTest, WritesOneJsonObjectWithTheBytesAsLatin1) {
  EXPECT_EQ(TranscriptLine("Gannet", "Line 1\r\nsaid \"caf\xE9\"\\\t", "ok", "ok"),
            "{\"caption\": \"Gannet\", \"text\": \"Line 1\\r\\nsaid \\\"caf\xC3\xA9\\\"\\\\\\t\", "
            "\"buttons\": \"ok\", \"answer\": \"ok\"}");
  EXPECT_EQ(TranscriptLine("\x01", "\xFF", "yesno", "no"),
            "{\"caption\": \"\\u0001\", \"text\": \"\xC3\xBF\", \"buttons\": \"yesno\", "
            "\"answer\": \"no\"}");
}

class MessageBoxResponderTest : public ::testing::Test {
 protected:
  MessageBoxResponder Responder(std::map<std::string, BoxAnswer> answers) {
    return MessageBoxResponder(std::move(answers), display_, &transcript_, diagnostics_);
  }
  std::ostringstream display_;
  std::ostringstream transcript_;
  std::ostringstream diagnostics_;
};

TEST_F(MessageBoxResponderTest, AnswersTheGivenAnswerOrTheFirstButton) {
  auto responder =
      Responder({{"Launch NO$PSX?", BoxAnswer::kNo}, {"Bad export data!", BoxAnswer::kCancel}});
  EXPECT_EQ(responder.Answer("Launch NO$PSX?", "Go?", kYesNoCancel), 7);
  EXPECT_EQ(responder.Answer("Other", "Go?", kYesNoCancel), 6);
  EXPECT_EQ(responder.Answer("Gannet", "Note", kOk), 1);
  // Cancel is no button of a Yes/No box: the first button, and a report.
  EXPECT_EQ(responder.Answer("Bad export data!", "Go on?", kYesNo), 6);
  EXPECT_EQ(responder.box_count(), 4);
  EXPECT_EQ(transcript_.str(),
            "{\"caption\": \"Launch NO$PSX?\", \"text\": \"Go?\", \"buttons\": \"yesnocancel\", "
            "\"answer\": \"no\"}\n"
            "{\"caption\": \"Other\", \"text\": \"Go?\", \"buttons\": \"yesnocancel\", "
            "\"answer\": \"yes\"}\n"
            "{\"caption\": \"Gannet\", \"text\": \"Note\", \"buttons\": \"ok\", \"answer\": "
            "\"ok\"}\n"
            "{\"caption\": \"Bad export data!\", \"text\": \"Go on?\", \"buttons\": \"yesno\", "
            "\"answer\": \"yes\"}\n");
  EXPECT_EQ(diagnostics_.str(),
            "clayhost: the answer cancel for \"Bad export data!\" is not a button of this yesno "
            "box; answering yes\n");
}

TEST_F(MessageBoxResponderTest, ShowsEachBoxWithItsCaptionButtonsAndAnswer) {
  auto responder = Responder({{"Q", BoxAnswer::kCancel}});
  responder.Answer("Gannet", "First\r\nsecond \xE9", kOk);
  responder.Answer("Q", "", kYesNoCancel);
  EXPECT_EQ(display_.str(),
            "--- message box \"Gannet\" (ok) ---\nFirst\nsecond \xC3\xA9\n--- answered: ok ---\n"
            "--- message box \"Q\" (yesnocancel) ---\n--- answered: cancel ---\n");
}

TEST_F(MessageBoxResponderTest, NullTextsAndUnknownButtonsAreReportedNotFatal) {
  auto responder = Responder({});
  EXPECT_EQ(responder.Answer(nullptr, nullptr, 9), 1);
  EXPECT_EQ(transcript_.str(),
            "{\"caption\": \"\", \"text\": \"\", \"buttons\": \"ok\", \"answer\": \"ok\"}\n");
  EXPECT_EQ(diagnostics_.str(),
            "clayhost: plug-in error: message box with a null caption\n"
            "clayhost: plug-in error: message box \"\" with unknown buttons code 9, shown with "
            "OK\n");
}

// What the plug-ins show when they stop, and what they show otherwise.
TEST(IsErrorBoxTest, AnOkBoxThatBeginsWithErrorOrPassesOnImg2timsComplaint) {
  for (const char* stop :
       {"ERROR! No model selected", "Error: Filename a*b holds the character *",
        "ERROR, no model selected", "ERROR:  In line: 3  !objexport", "error",
        "Invalid -org -ERROR-",
        "ERROR: Gannet rsdn.bat file not found, it must be in :\r\nC:\\MarbleCLAY"}) {
    EXPECT_TRUE(IsErrorBox(stop, kOk)) << stop;
  }
  for (const char* other : {"Warning: 1 No TIM created", " dir\r\nERROR: not found", "Errors: none",
                            "", "ERRO", "Warning: Image format must be: ~256x256x8 Error: 64"}) {
    EXPECT_FALSE(IsErrorBox(other, kOk)) << other;
  }
  EXPECT_FALSE(IsErrorBox("ERROR: go on?", kYesNo));
}

TEST_F(MessageBoxResponderTest, CountsAndMarksErrorBoxes) {
  auto responder = Responder({});
  responder.Answer("Gannet", "Warning: 1 No TIM created", kOk);
  responder.Answer("Gannet", "Error: Can not create the file C:\\x.ply", kOk);
  EXPECT_EQ(responder.error_box_count(), 1);
  EXPECT_EQ(transcript_.str(),
            "{\"caption\": \"Gannet\", \"text\": \"Warning: 1 No TIM created\", \"buttons\": "
            "\"ok\", \"answer\": \"ok\"}\n"
            "{\"caption\": \"Gannet\", \"text\": \"Error: Can not create the file C:\\\\x.ply\", "
            "\"buttons\": \"ok\", \"answer\": \"ok\", \"error\": true}\n");
}

TEST(ParseBoxAnswerTest, KnowsTheFourWords) {
  EXPECT_EQ(ParseBoxAnswer("ok"), BoxAnswer::kOk);
  EXPECT_EQ(ParseBoxAnswer("yes"), BoxAnswer::kYes);
  EXPECT_EQ(ParseBoxAnswer("no"), BoxAnswer::kNo);
  EXPECT_EQ(ParseBoxAnswer("cancel"), BoxAnswer::kCancel);
  EXPECT_EQ(ParseBoxAnswer("Yes"), std::nullopt);
}

}  // namespace
}  // namespace clayhost
