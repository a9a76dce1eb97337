#include "platform/emulated/regedit4.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kit::emu {
namespace {

TEST(Regedit4Test, RoundTripKeepsEveryTypeOrderAndEscape) {
  RegTrees t;
  RegNode* k = t.local_machine.AddChild("SOFTWARE")->AddChild("Tavrix \"Win\"");
  k->SetValue("", RegValue::String("default"));
  k->SetValue("Path", RegValue::String("C:\\TAVWIN \"quoted\""));
  k->SetValue("Quote\"And\\Slash", RegValue::String("\xFD\xDE Turkish bytes"));
  k->SetValue("Count", RegValue::Dword(0xabcd));
  k->SetValue("Blob", RegValue::Binary(std::string("\x00\x01\xff", 3)));
  k->SetValue("Long", RegValue::Binary(std::string(100, '\x5a')));
  k->SetValue("List", RegValue::MultiString({"one", "two"}));
  RegValue expand;
  expand.type = regtype::kExpandSz;
  expand.data = std::string("%WINDIR%\\x\0", 11);
  k->SetValue("Exp", expand);
  k->SetValue("Lines", RegValue::String("two\r\nlines"));  // cannot be quoted
  RegValue odd;
  odd.type = regtype::kDword;
  odd.data = "12";  // a DWORD of the wrong size survives too
  k->SetValue("Odd", odd);
  RegValue qword;
  qword.type = 11;  // REG_QWORD, whose type has a hexadecimal letter
  qword.data = std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
  k->SetValue("Wide", qword);
  t.local_machine.AddChild("SOFTWARE")->AddChild("Empty");
  t.current_user.AddChild("Software")->SetValue("x", RegValue::String(""));

  std::string text = WriteRegedit4(t);
  EXPECT_EQ(text.compare(0, 10, "REGEDIT4\r\n"), 0);
  EXPECT_NE(text.find("\"Path\"=\"C:\\\\TAVWIN \\\"quoted\\\"\""), std::string::npos);
  EXPECT_NE(text.find("\"Count\"=dword:0000abcd"), std::string::npos);
  EXPECT_NE(text.find("@=\"default\""), std::string::npos);
  EXPECT_NE(text.find("\"List\"=hex(7):6f,6e,65,00,74,77,6f,00,00"), std::string::npos);
  EXPECT_NE(text.find("\\\r\n  5a,"), std::string::npos);  // long lines continue
  EXPECT_NE(text.find("\"Wide\"=hex(b):01,02,03,04,05,06,07,08"), std::string::npos);

  RegTrees back;
  std::string error;
  ASSERT_TRUE(ParseRegedit4(text, &back, &error)) << error;
  EXPECT_EQ(WriteRegedit4(back), text);
  RegNode* b = back.local_machine.Child("software")->Child("TAVRIX \"WIN\"");
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(b->Values().size(), k->Values().size());
  for (auto bi = b->Values().begin(), ki = k->Values().begin(); ki != k->Values().end(); ++bi, ++ki) {
    EXPECT_EQ(bi->first, ki->first);
    EXPECT_EQ(bi->second.type, ki->second.type) << ki->first;
    EXPECT_EQ(bi->second.data, ki->second.data) << ki->first;
  }
  EXPECT_NE(back.local_machine.Child("SOFTWARE")->Child("Empty"), nullptr);
}

TEST(Regedit4Test, KeysFindNamesWithoutCaseAndKeepCreationOrder) {
  RegNode n("K");
  for (int i = 0; i < 10000; ++i) n.SetValue("Value" + std::to_string(i), RegValue::Dword(i));
  EXPECT_EQ(*n.Value("VALUE1234")->AsDword(), 1234u);
  ASSERT_TRUE(n.RemoveValue("value5000"));
  EXPECT_FALSE(n.RemoveValue("Value5000"));
  EXPECT_EQ(n.Value("Value5000"), nullptr);
  n.SetValue("VALUE0", RegValue::Dword(7));  // replaced in place, first case kept
  n.SetValue("value5000", RegValue::Dword(8));  // added again: now the last
  EXPECT_EQ(n.Values().size(), 10000u);
  EXPECT_EQ(n.Values().front().first, "Value0");
  EXPECT_EQ(*n.Values().front().second.AsDword(), 7u);
  EXPECT_EQ(n.Values().back().first, "value5000");
  RegNode* a = n.AddChild("Alpha");
  EXPECT_EQ(n.AddChild("ALPHA"), a);
  n.AddChild("Beta")->AddChild("Inner");
  ASSERT_TRUE(n.RemoveChild("alpha"));
  EXPECT_EQ(n.Child("Alpha"), nullptr);
  n.AddChild("alpha");
  ASSERT_EQ(n.Subkeys().size(), 2u);
  EXPECT_EQ(n.Subkeys().front()->name, "Beta");
  EXPECT_EQ(n.Subkeys().back()->name, "alpha");
  auto copy = n.Clone();
  EXPECT_NE(copy->Child("BETA")->Child("inner"), nullptr);
  EXPECT_EQ(*copy->Value("value1")->AsDword(), 1u);
  n.Clear();
  EXPECT_TRUE(n.Values().empty());
  EXPECT_EQ(n.Child("Beta"), nullptr);
}

TEST(Regedit4Test, AliasRootsAndDeletionLines) {
  RegTrees t;
  std::string error;
  ASSERT_TRUE(ParseRegedit4("REGEDIT4\n\n[HKEY_CLASSES_ROOT\\.txt]\n@=\"txtfile\"\n"
                            "[HKEY_LOCAL_MACHINE\\A\\B]\n\"v\"=\"1\"\n\"w\"=\"2\"\n"
                            "[HKEY_LOCAL_MACHINE\\A]\n\"v\"=-\n[-HKEY_LOCAL_MACHINE\\A\\B]\n\"ignored\"=\"x\"\n",
                            &t, &error))
      << error;
  RegNode* txt = t.local_machine.Child("SOFTWARE")->Child("Classes")->Child(".TXT");
  ASSERT_NE(txt, nullptr);
  EXPECT_EQ(*txt->Value("")->AsString(), "txtfile");
  EXPECT_EQ(t.local_machine.Child("A")->Child("B"), nullptr);
}

TEST(Regedit4Test, MalformedFilesNameTheLineAndTheFault) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"[HKEY_LOCAL_MACHINE\\A]\n", "line 1: expected the header \"REGEDIT4\""},
      {"REGEDIT4\n\n\"v\"=\"x\"\n", "line 3: value outside of any key"},
      {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", "line 2: unknown registry root \"HKEY_NOWHERE\""},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", "line 2: key name without closing ']'"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"open\n", "line 3: string without closing quote"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:12345678a\n",
       "line 3: dword needs 1 to 8 hexadecimal digits"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:01,0g\n", "line 3: bad byte in hex list"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:01,\\\n  02,\\\n", "line 4: hex list continues"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:01,02\n\"w\"=bogus\n", "line 4: unknown value data"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n", "line 2: empty key name"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\nname=\"x\"\n", "line 3: expected a [key]"},
  };
  for (const auto& c : cases) {
    RegTrees t;
    std::string error;
    EXPECT_FALSE(ParseRegedit4(c.text, &t, &error)) << c.text;
    EXPECT_EQ(error.compare(0, std::strlen(c.error), c.error), 0) << c.text << " gave " << error;
  }
}

}  // namespace
}  // namespace kit::emu
