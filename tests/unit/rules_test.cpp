// The pure rules and formats: text conversion, the options file, the PIN and lock files,
// the pupil's name, the sounds of a word.
#include <gtest/gtest.h>

#include "common/help.h"
#include "common/program_version.h"
#include "menu/exercise_launcher.h"
#include "options/options_format.h"
#include "records/name_entry.h"
#include "teacher_pin/teacher_pin_gate.h"
#include "tests/unit/fakes.h"
#include "wordlist/word_editor.h"

namespace lirabo {
namespace {

TEST(Text, Windows1252MapsUpperCaseFollowsWindowsAndCommandLinesCarryTheirParts) {
  EXPECT_EQ(Utf8ToCp1252("Jörg ☺"), "J\xF6rg ?");
  EXPECT_EQ(UpperCase("jörg äöü ß š ÿ `{÷"), "JÖRG ÄÖÜ ß Š Ÿ `{÷");
  EXPECT_EQ(FormatProgramVersion(2, 5, 7), "2.05.0007");
  EXPECT_EQ(BuildHelpCommand("C:\\P F\\L.chm", kMenuHelpTopic), "hh.exe -mapid 102 \"C:\\P F\\L.chm\"");
  MenuState state{{}, "C:\\S", "Anna", {}, {}};
  EXPECT_EQ(BuildExerciseCommandLine("tesra.exe Q", state), "tesra.exe Q");
  state.settings.logUnderPupilName = 1;
  EXPECT_EQ(BuildExerciseCommandLine("tesra.exe Q", state), "tesra.exe Q /p=\"C:\\S\" /n=\"Anna\"");
}

TEST(OptionsFormat, ReadsEachLineAsA16BitNumberOrZero) {
  const std::pair<std::string, std::vector<std::int16_t>> cases[] = {
      {" 1 \r\n-1\n  7\t\r\n\r\n  \r\n", {1, -1, 7}},  // blank lines at the end are the end
      {"abc\r\n32767\r\n32768\r\n-32768\r\n-32769\r\n1.5\r\n\r\n+3\r\n", {0, 32767, 0, -32768, 0, 0, 0, 3}},
      {" 2 \r-1 \r\r\n 5", {2, -1, 5}},
      {"+-5\r\n-+5\r\n++5\r\n-5\r\n", {0, 0, 0, -5}},
  };
  for (const auto& [text, values] : cases) EXPECT_EQ(ParseOptionsValues(text), values) << text;
}

TEST(PinFiles, OneLineReadsBackAndAnythingElseIsDamaged) {
  const std::string good = "pbkdf2-sha256:200000:" + std::string(32, 'a') + ":" + std::string(64, 'b');
  const PinRecord record{200000, std::string(16, '\xAA'), std::string(32, '\xBB')};
  EXPECT_EQ(FormatPinFile(record), good + "\r\n");
  EXPECT_EQ(ParsePinFile(good), record);
  EXPECT_EQ(ParsePinFile("pbkdf2-sha256:2000000:" + std::string(32, 'A') + good.substr(53)),
            (PinRecord{2000000, record.salt, record.key}));
  const std::string tail = good.substr(20);
  for (const std::string& bad :
       {std::string(), good + "\r\n" + good, good + " ", "PBKDF2" + good.substr(6),
        good.substr(0, 52) + "g" + good.substr(53), good.substr(0, good.size() - 1), "pbkdf2-sha256:0200000" + tail,
        "pbkdf2-sha256:99999" + tail, "pbkdf2-sha256:2000001" + tail})
    EXPECT_FALSE(ParsePinFile(bad)) << bad;
  for (const char* pin : {"0000", "123456789012"}) EXPECT_TRUE(IsWellFormedPin(pin)) << pin;
  for (const char* pin : {"123", "1234567890123", "12a4", " 1234", "١٢٣٤"}) EXPECT_FALSE(IsWellFormedPin(pin)) << pin;
  const std::pair<std::uint32_t, int> lockOuts[] = {{2, 0}, {3, 1},   {4, 0},   {6, 2},
                                                    {9, 4}, {18, 32}, {21, 60}, {99, 60}};
  for (auto [wrong, minutes] : lockOuts) EXPECT_EQ(LockOutAfter(wrong).count(), minutes) << wrong;
  const PinLockState state{6, 1800000000000, 1800000120000};
  EXPECT_EQ(ParsePinLock(FormatPinLock(state)), state);
  for (const char* bad : {"6:1:2", "-6:1:2\r\n", "6::2\r\n", "6:1:2:3\r\n", "6:2:1\r\n", "3:0:3600001\r\n"})
    EXPECT_FALSE(ParsePinLock(bad)) << bad;
}

TEST(PupilName, KeysNameCheckAndFileNameRule) {
  auto utf8 = [](int code) { return Cp1252ToUtf8(std::string(1, static_cast<char>(code))); };
  const std::string letters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  for (int code = 0; code < 256; ++code) {
    std::size_t pos = 0;
    const NameKeyResult r = FilterNameKey("Ab", NextCodePoint(utf8(code), pos));
    const bool typeable = (letters + "\xC4\xD6\xDC\xDF\xE4\xF6\xFC").find(static_cast<char>(code)) != std::string::npos;
    EXPECT_EQ(r.text, code == 8 ? "A" : typeable ? "Ab" + utf8(code) : "Ab") << code;
    EXPECT_EQ(r.consumed, !typeable) << code;
    EXPECT_EQ(IsValidPupilName("A" + utf8(code) + "9"), code == ' ' || (typeable && code < 0x80)) << code;
  }
  for (const std::string bad :
       {"..\\Anna", "NUL", "com1", "a:b", "", "Tab\tName", "COM0", "lpt0.txt", "COM¹", "LPT³ ", "Com² .log", "a/b"})
    EXPECT_FALSE(IsSafePupilFileName(bad)) << bad;
  for (const char* good : {"COM10", "LPT", "Comenius", "CONrad"}) EXPECT_TRUE(IsSafePupilFileName(good)) << good;
  const RecordPaths paths{"C:\\U\\Lirabo", "C:\\Lirabo"};
  const std::size_t room = 259 - CodePointCount(paths.PupilLog(""));  // the path may reach 259 characters
  EXPECT_TRUE(IsUsablePupilName(paths, std::string(room, 'a')));
  EXPECT_FALSE(IsUsablePupilName(paths, std::string(room + 1, 'a')));
}

TEST(ClassifySound, RecognisesOnlyTheLowerAndCapitalisedFormsOfTheElevenSounds) {
  for (auto [c, code] :
       {std::pair{'a', 1}, {'e', 2}, {'f', 3}, {'i', 4}, {'l', 5}, {'m', 6}, {'o', 7}, {'p', 8}, {'s', 9}, {'u', 11}})
    for (std::string text : {std::string(1, c), std::string(1, static_cast<char>(c - 32))})
      EXPECT_EQ(ClassifySound(text, 2), (Sound{text, static_cast<std::int16_t>(code)})) << text;
  const std::tuple<const char*, int, Sound> cases[] = {
      {"sch", 1, {"sch", 10}}, {"Sch", 3, {"Sch", 10}}, {"SCH", 1, {"S", 9}}, {"ab", 1, {"a", 1}},
      {".", 2, {".", 0}},      {":", 4, {":", 0}},      {".", 1, {".", 22}},  {":", 1, {":", 22}},
      {"b", 1, {"b", 22}},     {"", 2, {"", 22}},       {" a", 1, {" ", 22}}};
  for (const auto& [text, box, expected] : cases) EXPECT_EQ(ClassifySound(text, box), expected) << text << box;
}

}  // namespace
}  // namespace lirabo
