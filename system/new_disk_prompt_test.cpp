#include "system/new_disk_prompt.h"

#include <gtest/gtest.h>

#include "base/codepage.h"
#include "translation/testing/fake_translator.h"

namespace kit {
namespace {

const char kTurkishKey[] = "L\xFC" "tfen \xDDzleyen Numaral\xFD Disketi Tak\xFDn : #%d";

TEST(NewDiskPromptTest, TurkishTextIsKeptInItsCodePage) {
  const std::string text = NewDiskPromptText(3);
  EXPECT_EQ(text, "L\xFC" "tfen \xDDzleyen Numaral\xFD Disketi Tak\xFDn : #3");
  EXPECT_EQ(ToUtf8(text, kNewDiskPromptCodePage),
            "L\xC3\xBCtfen \xC4\xB0zleyen Numaral\xC4\xB1 Disketi Tak\xC4\xB1n : #3");
}

TEST(NewDiskPromptTest, TranslatorIsAskedWithTheTurkishKeyAndAFaultyFormatFallsBack) {
  testing::FakeTranslator t;
  t.table[kTurkishKey] = "Please insert disk #%d";
  EXPECT_EQ(NewDiskPromptText(12), "Please insert disk #12");
  t.table[kTurkishKey] = "Please insert disk %s";
  EXPECT_EQ(NewDiskPromptText(2), "L\xFC" "tfen \xDDzleyen Numaral\xFD Disketi Tak\xFDn : #2");
}

}  // namespace
}  // namespace kit
