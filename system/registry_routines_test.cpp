#include "system/registry_routines.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "base/string_list.h"
#include "system/system_errors.h"
#include "platform/current_platform.h"
#include "platform/fault_platform.h"
#include "platform/testing/test_machine.h"
#include "system/testing/registry_test_util.h"

namespace kit {
namespace {

constexpr const char* kBase = "Software\\KitRegistryRoutinesTest";

class RegistryRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = testing::NewTestMachine();
    scope_ = std::make_unique<ScopedPlatform>(machine_->platform());
    DeleteRegistryKey(rootcode::kCurrentUser, kBase);
  }
  void TearDown() override {
    scope_.reset();
    fault_.reset();
    ScopedPlatform plain(machine_->platform());
    DeleteRegistryKey(rootcode::kCurrentUser, kBase);
  }
  static std::string Key(const std::string& below) { return std::string(kBase) + "\\" + below; }
  // Sets a value of any type through the platform directly.
  void Put(const std::string& key, const std::string& name, const RegValue& value) {
    auto k = machine_->platform().Reg().Open(RegRoot::kCurrentUser, key, RegAccess::kAll, true);
    ASSERT_TRUE(k);
    ASSERT_TRUE(k->Set(name, value));
  }
  bool KeyExists(const std::string& key) {
    return machine_->platform().Reg().Open(RegRoot::kCurrentUser, key, RegAccess::kRead, false) !=
           nullptr;
  }
  // From here on every routine works through a fault wrapper.
  FaultPlatform& Faults() {
    scope_.reset();
    fault_ = std::make_unique<FaultPlatform>(machine_->platform());
    scope_ = std::make_unique<ScopedPlatform>(*fault_);
    return *fault_;
  }

  std::unique_ptr<testing::TestMachine> machine_;
  std::unique_ptr<FaultPlatform> fault_;
  std::unique_ptr<ScopedPlatform> scope_;
};

TEST_F(RegistryRoutinesTest, WriteCreatesTheWholePathAsAString) {
  ASSERT_FALSE(KeyExists(kBase));
  WriteRegistryString(rootcode::kCurrentUser, "\\" + Key("A\\B\\C"), "Name", "Text");
  auto k = machine_->platform().Reg().Open(RegRoot::kCurrentUser, Key("A\\B\\C"), RegAccess::kRead,
                                           false);
  ASSERT_TRUE(k);
  RegValue v;
  ASSERT_TRUE(k->Query("Name", &v));
  EXPECT_EQ(v.type, regtype::kSz);
  EXPECT_EQ(v.AsString(), "Text");
  // With or without the leading backslash, the path starts at the root.
  EXPECT_EQ(ReadRegistryString(rootcode::kCurrentUser, Key("A\\B\\C"), "Name", ""), "Text");
  WriteRegistryString(rootcode::kCurrentUser, Key("A\\B\\C"), "Name", "");
  std::string value = "untouched";
  EXPECT_TRUE(TryReadRegistryString(rootcode::kCurrentUser, "\\" + Key("A\\B\\C"), "Name", &value));
  EXPECT_EQ(value, "");
}

TEST_F(RegistryRoutinesTest, ReadsGiveTheDefaultInsteadOfFailing) {
  Put(kBase, "Number", RegValue::Dword(42));
  Put(kBase, "Minus", RegValue::Dword(0xFFFFFFFFu));
  Put(kBase, "Three", RegValue::String("3"));
  RegValue expand = RegValue::String("%WINDIR%\\x");
  expand.type = regtype::kExpandSz;
  Put(kBase, "Expand", expand);
  Put(kBase, "Bytes", RegValue::Binary("ab"));
  const int hkcu = rootcode::kCurrentUser;

  EXPECT_EQ(ReadRegistryString(hkcu, Key("Missing"), "Number", "def"), "def");
  EXPECT_EQ(ReadRegistryString(hkcu, kBase, "Missing", "def"), "def");
  EXPECT_EQ(ReadRegistryString(hkcu, kBase, "Number", "def"), "def");
  EXPECT_EQ(ReadRegistryString(hkcu, kBase, "Bytes", "def"), "def");
  EXPECT_EQ(ReadRegistryString(hkcu, kBase, "Three", "def"), "3");
  EXPECT_EQ(ReadRegistryString(hkcu, kBase, "Expand", "def"), "%WINDIR%\\x");
  std::string value = "untouched";
  EXPECT_FALSE(TryReadRegistryString(hkcu, kBase, "Number", &value));
  EXPECT_EQ(value, "untouched");

  EXPECT_EQ(ReadRegistryInteger(hkcu, kBase, "Number", -5), 42);
  EXPECT_EQ(ReadRegistryInteger(hkcu, kBase, "Minus", 0), -1);
  EXPECT_EQ(ReadRegistryInteger(hkcu, kBase, "Three", -5), -5);
  EXPECT_EQ(ReadRegistryInteger(hkcu, kBase, "Bytes", -5), -5);
  EXPECT_EQ(ReadRegistryInteger(hkcu, kBase, "Missing", -5), -5);
  EXPECT_EQ(ReadRegistryInteger(hkcu, Key("Missing"), "Number", -5), -5);

  // A root code outside 0 .. 5 reads nothing.
  EXPECT_EQ(ReadRegistryString(6, kBase, "Three", "def"), "def");
  EXPECT_EQ(ReadRegistryInteger(-1, kBase, "Number", 7), 7);

  // Platform failures on the way are defaults too.
  FaultPlatform& f = Faults();
  f.FailNth("Key.Query", 1, winerr::kReadFault, true);
  EXPECT_EQ(ReadRegistryString(hkcu, kBase, "Three", "def"), "def");
  EXPECT_EQ(ReadRegistryInteger(hkcu, kBase, "Number", -5), -5);
  f.ClearFaults();
  f.FailNth("Reg.Open", 1, winerr::kBadDbResult, true);
  EXPECT_EQ(ReadRegistryString(hkcu, kBase, "Three", "def"), "def");
}

TEST_F(RegistryRoutinesTest, WriteFailuresNameKeyIdentAndValue) {
  FaultPlatform& f = Faults();
  f.RefuseRegistryWrites(kBase, RegRoot::kCurrentUser);
  try {
    WriteRegistryString(rootcode::kCurrentUser, "\\" + Key("New"), "Ident", "Value");
    FAIL() << "no error";
  } catch (const EIRCannotWriteValue& e) {
    EXPECT_EQ(e.Message(), "Cannot install into registry. Key: \\" + Key("New") +
                               " Ident: Ident Value Value");
  }
  EXPECT_THROW(WriteRegistryString(6, kBase, "Ident", "Value"), EIRCannotWriteValue);
  f.ClearFaults();
  // The key opens, the value does not go in.
  f.FailNth("Key.Set", 1, winerr::kAccessDenied);
  EXPECT_THROW(WriteRegistryString(rootcode::kCurrentUser, kBase, "Ident", "Value"),
               EIRCannotWriteValue);
  EXPECT_EQ(ReadRegistryString(rootcode::kCurrentUser, kBase, "Ident", "none"), "none");
}

// Every routine opens with full access: a key that may only be read is one
// that cannot be opened.
TEST_F(RegistryRoutinesTest, AKeyThatCanOnlyBeReadCountsAsNotOpenable) {
  Put(Key("RO"), "S", RegValue::String("text"));
  Put(Key("RO"), "N", RegValue::Dword(5));
  Put(Key("RO\\Sub"), "S", RegValue::String("x"));
  auto check = [&](const char* how) {
    SCOPED_TRACE(how);
    const int hkcu = rootcode::kCurrentUser;
    EXPECT_EQ(ReadRegistryString(hkcu, Key("RO"), "S", "def"), "def");
    EXPECT_EQ(ReadRegistryInteger(hkcu, Key("RO"), "N", -1), -1);
    TStringList names;
    names.Add("old");
    ReadRegistrySubkeyNames(hkcu, Key("RO"), &names);
    EXPECT_EQ(names.Count(), 0);
    DeleteRegistryValue(hkcu, Key("RO"), "S");
    EXPECT_THROW(WriteRegistryString(hkcu, Key("RO"), "S", "new"), EIRCannotWriteValue);
    // Still there, as it was.
    auto k = machine_->platform().Reg().Open(RegRoot::kCurrentUser, Key("RO"), RegAccess::kRead,
                                             false);
    ASSERT_TRUE(k);
    RegValue v;
    ASSERT_TRUE(k->Query("S", &v));
    EXPECT_EQ(v.AsString(), "text");
  };
#ifdef _WIN32
  {
    testing::ScopedReadOnlyKey read_only(HKEY_CURRENT_USER, Key("RO"));
    ASSERT_TRUE(read_only.Made());
    check("access list of the real registry");
  }
#endif
  Faults().MakeRegistryKeysReadOnly(Key("RO"), RegRoot::kCurrentUser);
  check("read-only keys of the fault platform");
}

TEST_F(RegistryRoutinesTest, DeletionsRemoveNestedKeysAndNeverFail) {
  Put(Key("Top\\A\\B\\C"), "v", RegValue::String("1"));
  Put(Key("Top\\A\\D"), "v", RegValue::Dword(2));
  Put(Key("Top"), "keep", RegValue::String("k"));
  Put(Key("Top"), "drop", RegValue::String("d"));
  Put(Key("Other"), "v", RegValue::String("o"));
  const int hkcu = rootcode::kCurrentUser;

  DeleteRegistryValue(hkcu, "\\" + Key("Top"), "drop");
  DeleteRegistryValue(hkcu, Key("Top"), "drop");       // already gone
  DeleteRegistryValue(hkcu, Key("Missing"), "drop");   // no such key
  EXPECT_EQ(ReadRegistryString(hkcu, Key("Top"), "drop", "gone"), "gone");
  EXPECT_EQ(ReadRegistryString(hkcu, Key("Top"), "keep", "gone"), "k");

  DeleteRegistryKey(hkcu, "\\" + Key("Top\\A"));
  EXPECT_FALSE(KeyExists(Key("Top\\A")));
  EXPECT_TRUE(KeyExists(Key("Top")));
  DeleteRegistryKey(hkcu, Key("Top"));
  EXPECT_FALSE(KeyExists(Key("Top")));
  EXPECT_TRUE(KeyExists(Key("Other")));
  DeleteRegistryKey(hkcu, Key("Top"));
  DeleteRegistryKey(hkcu, Key("Missing\\Deeper"));
  // The root itself is never deleted.
  DeleteRegistryKey(hkcu, "");
  DeleteRegistryKey(hkcu, "\\");
  EXPECT_TRUE(KeyExists(Key("Other")));

  FaultPlatform& f = Faults();
  f.RefuseRegistryWrites(Key("Other"), RegRoot::kCurrentUser);
  DeleteRegistryKey(hkcu, Key("Other"));
  DeleteRegistryValue(hkcu, Key("Other"), "v");
  EXPECT_TRUE(KeyExists(Key("Other")));
}

TEST_F(RegistryRoutinesTest, SubkeyNamesReplaceTheListInRegistryOrder) {
  for (const char* name : {"beta", "Alpha", "gamma"}) Put(Key(std::string("P\\") + name), "", RegValue::String(""));
  Put(Key("P\\beta\\nested"), "v", RegValue::String(""));
  Put(Key("P"), "value", RegValue::String("not a key"));
  TStringList names;
  names.Add("stale");
  ReadRegistrySubkeyNames(rootcode::kCurrentUser, "\\" + Key("P"), &names);
  ASSERT_EQ(names.Count(), 3);
  EXPECT_EQ(names[0], "Alpha");
  EXPECT_EQ(names[1], "beta");
  EXPECT_EQ(names[2], "gamma");
  ReadRegistrySubkeyNames(rootcode::kCurrentUser, Key("Missing"), &names);
  EXPECT_EQ(names.Count(), 0);
  ReadRegistrySubkeyNames(rootcode::kCurrentUser, Key("P"), nullptr);
}

TEST_F(RegistryRoutinesTest, IniSectionNames) {
  const std::string path = machine_->Scratch() + "\\sections.ini";
  {
    TStringList lines;
    for (const char* l : {"[Main]", "  [Extra]\t", "[", "Key=Value", "", "   ", "[Open",
                          "; [comment]", "x[y]"})
      lines.Add(l);
    lines.SaveToFile(machine_->platform().Files(), path);
  }
  TStringList names;
  names.Add("stale");
  ReadIniSectionNames(path, &names);
  ASSERT_EQ(names.Count(), 3);
  EXPECT_EQ(names[0], "Main");
  EXPECT_EQ(names[1], "Extra");
  EXPECT_EQ(names[2], "Ope");  // the last character goes, whatever it is

  ReadIniSectionNames(machine_->Scratch() + "\\missing.ini", nullptr);
  try {
    ReadIniSectionNames(machine_->Scratch() + "\\missing.ini", &names);
    FAIL() << "no error";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + machine_->Scratch() + "\\missing.ini");
  }
  EXPECT_EQ(names.Count(), 3);
}

TEST(NthFieldTest, FieldsFromOne) {
  EXPECT_EQ(NthField("a,b", 0, ","), "a");
  EXPECT_EQ(NthField("a,b", 1, ","), "a");
  EXPECT_EQ(NthField("a,b", 2, ","), "b");
  EXPECT_EQ(NthField("a,b", 5, ","), "");
  EXPECT_EQ(NthField("C:\\Tavwin\\X.OCX;1", 2, ";"), "1");
  EXPECT_EQ(NthField("C:\\Tavwin\\X.OCX;1", 3, ";"), "");
  EXPECT_EQ(NthField("a,,c", 2, ","), "");
  EXPECT_EQ(NthField("a,,c", 3, ","), "c");
  EXPECT_EQ(NthField("a::b:c", 2, "::"), "b:c");
  EXPECT_EQ(NthField("", 1, ","), "");
  EXPECT_EQ(NthField("a,b", 1, ""), "a,b");
  EXPECT_EQ(NthField("a,b", 2, ""), "");
}

}  // namespace
}  // namespace kit
