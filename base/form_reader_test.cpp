#include "base/form_reader.h"

#include <gtest/gtest.h>

#include "base/form_test_classes.h"

namespace kit {
namespace {

using namespace formtest;

class FormReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses(classes_);
    Watch::loaded.clear();
    live_before_ = Watch::live;
  }
  void TearDown() override { EXPECT_EQ(Watch::live, live_before_) << "components leaked or freed twice"; }

  std::unique_ptr<TComponent> Read(const std::string& text) { return FormReader(classes_).Read(text, "config\\main.dfm"); }
  std::string Error(const std::string& text) {
    try {
      Read(text);
    } catch (const EFormError& e) {
      EXPECT_EQ(e.File(), "config\\main.dfm");
      return e.Message();
    }
    return "(no error)";
  }
  template <class T>
  static T* Get(TComponent* root, const char* name) {
    T* c = dynamic_cast<T*>(root->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  ClassRegistry classes_;
  int live_before_ = 0;
};

TEST_F(FormReaderTest, EveryValueKind) {
  auto root = Read(R"(object Form1: TTestForm
  Left = -12
  Top = $10
  Caption = 'Tavrix for Windows'#13#10'Ver '#39'1.1'#39
  Enabled = false
  Align = alClient
  Ratio = 2.5
  Tag = 7
  Font.Name = 'Arial'
  Font.Style = [fsBold, fsUnderline]
  Font.Color = clRed
  Font.Size = 27
  Glyph.Data = {
    0A0B0C
    FF}
  Lines.Strings = (
    'first'
    'second line')
  OnClick = FormClick
  Columns = <
    item
      Caption = 'Name'
      Width = 120
    end
    item
      Caption = 'Size'
    end>
end
)");
  auto* form = dynamic_cast<TTestForm*>(root.get());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(form->Left(), -12);
  EXPECT_EQ(form->Top(), 16);
  EXPECT_EQ(form->Caption(), "Tavrix for Windows\r\nVer '1.1'");
  EXPECT_FALSE(form->Enabled());
  EXPECT_EQ(form->Align(), TAlign::alClient);
  EXPECT_DOUBLE_EQ(form->Ratio(), 2.5);
  EXPECT_EQ(form->Tag(), 7);
  EXPECT_EQ(form->Font()->Name(), "Arial");
  EXPECT_EQ(form->Font()->Style(), 0b101);
  EXPECT_EQ(form->Font()->Color(), 0xFF);
  EXPECT_EQ(form->Font()->Size(), 27);
  EXPECT_EQ(form->Glyph().Data(), (Bytes{0x0A, 0x0B, 0x0C, 0xFF}));
  EXPECT_EQ(form->Lines(), (std::vector<std::string>{"first", "second line"}));
  EXPECT_EQ(form->OnClick(), "FormClick");
  ASSERT_EQ(form->Columns().size(), 2u);
  EXPECT_EQ(form->Columns()[0].caption, "Name");
  EXPECT_EQ(form->Columns()[0].width, 120);
  EXPECT_EQ(form->Columns()[1].caption, "Size");
  EXPECT_FALSE(form->IsLoading());
}

TEST_F(FormReaderTest, StringPartsContinueOverLinesAndKeepCodePageBytes) {
  auto root = Read("object F: TTestForm\n  Caption = 'Tavrix Program Dosyalar'#253 +\n    ' G\xF6nderilen' + #200\nend\n");
  EXPECT_EQ(static_cast<TTestForm*>(root.get())->Caption(), "Tavrix Program Dosyalar\xFD G\xF6nderilen\xC8");
}

TEST_F(FormReaderTest, SimplerWritingsOfValues) {
  auto root = Read(R"(object F: TTestForm
  Lines = ( )
  Ratio = 3
  Font.Color = $FFFFFFFF
  Font.Style = []
  Glyph.Data = {}
  OnClick = nil
  Columns = <>
end)");
  auto* form = static_cast<TTestForm*>(root.get());
  EXPECT_TRUE(form->Lines().empty());
  EXPECT_DOUBLE_EQ(form->Ratio(), 3.0);
  EXPECT_EQ(form->Font()->Color(), -1);  // the 32-bit pattern
  EXPECT_EQ(form->Font()->Style(), 0);
}

TEST_F(FormReaderTest, NestedObjectsAreOwnedByTheRootAndParentedByTheEnclosingObject) {
  auto root = Read(R"(object Form1: TTestForm
  object Panel1: TTestPanel
    BevelWidth = 3
    Left = 8
    object Button1: TTestControl
      Caption = 'OK'
    end
  end
  object Install1: TTestNonVisual
  end
end)");
  auto* panel = Get<TTestPanel>(root.get(), "Panel1");
  auto* button = Get<TTestControl>(root.get(), "Button1");
  auto* install = Get<TTestNonVisual>(root.get(), "Install1");
  ASSERT_TRUE(panel && button && install);
  EXPECT_EQ(root->ComponentCount(), 3);
  EXPECT_EQ(panel->Owner(), root.get());
  EXPECT_EQ(button->Owner(), root.get());
  EXPECT_EQ(panel->GetParentComponent(), root.get());
  EXPECT_EQ(button->GetParentComponent(), panel);
  EXPECT_EQ(panel->BevelWidth(), 3);  // own property
  EXPECT_EQ(panel->Left(), 8);        // inherited from TTestControl
  EXPECT_EQ(button->Caption(), "OK");
}

TEST_F(FormReaderTest, ReferencesResolveAfterTheWholeForm) {
  auto root = Read(R"(object Form1: TTestForm
  Buddy = Panel2
  object Panel1: TTestPanel
    Buddy = form1.panel2
    Columns = <
      item
        Target = Later
      end>
  end
  object Panel2: TTestPanel
    Buddy = Form1
  end
  object Later: TTestNonVisual
    Panel = Panel1
  end
end)");
  auto* form = static_cast<TTestForm*>(root.get());
  auto* p1 = Get<TTestPanel>(root.get(), "Panel1");
  auto* p2 = Get<TTestPanel>(root.get(), "Panel2");
  EXPECT_EQ(form->Buddy(), p2);
  EXPECT_EQ(p1->Buddy(), p2);
  EXPECT_EQ(p2->Buddy(), form);
  EXPECT_EQ(p1->Columns()[0].target, root->FindComponent("Later"));
  EXPECT_EQ(Get<TTestNonVisual>(root.get(), "Later")->Panel(), p1);
}

TEST_F(FormReaderTest, ExternalReferencesGoThroughTheResolver) {
  TTestPanel outside(nullptr);
  outside.SetName("Shared");
  FormReader reader(classes_);
  reader.SetExternalResolver([&](const std::string& ref) -> TComponent* {
    return ref == "Other.Shared" ? &outside : nullptr;
  });
  auto root = reader.Read("object F: TTestForm\n  Buddy = Other.Shared\nend", "x.dfm");
  EXPECT_EQ(static_cast<TTestForm*>(root.get())->Buddy(), &outside);
}

TEST_F(FormReaderTest, SettersRunInTheLoadingStateAndLoadedFollowsInCreationOrder) {
  auto root = Read(R"(object Form1: TTestForm
  object B: TTestNonVisual
    Checked = ''
  end
  object A: TTestPanel
    object C: TTestControl
    end
  end
  object D: TTestNonVisual
  end
end)");
  EXPECT_EQ(Watch::loaded, (std::vector<std::string>{"Form1", "B", "A", "C", "D"}));
  auto* b = Get<TTestNonVisual>(root.get(), "B");
  EXPECT_EQ(b->Checked(), "");  // accepted only while loading
  EXPECT_TRUE(b->loading_seen_in_loaded);
  for (int i = 0; i < root->ComponentCount(); ++i) EXPECT_FALSE(root->Components(i)->IsLoading());
  EXPECT_FALSE(root->IsLoading());
  EXPECT_THROW(b->SetChecked(""), Exception);
}

TEST_F(FormReaderTest, ReadIntoAnExistingRootAndItsInheritedComponents) {
  TTestForm form(nullptr);
  auto* kept = new TTestPanel(&form);
  kept->SetName("Panel1");
  FormReader(classes_).ReadInto(&form, R"(inherited MainForm: TTestForm
  Caption = 'Main'
  inherited Panel1: TTestPanel
    BevelWidth = 4
  end
  object Button1: TTestControl
  end
end)", "main.dfm");
  EXPECT_EQ(form.Name(), "MainForm");
  EXPECT_EQ(form.Caption(), "Main");
  EXPECT_EQ(kept->BevelWidth(), 4);
  EXPECT_EQ(form.ComponentCount(), 2);
  EXPECT_EQ(Watch::loaded, (std::vector<std::string>{"MainForm", "Panel1", "Button1"}));
}

TEST_F(FormReaderTest, ReadWithAnOwner) {
  TTestForm app(nullptr);
  TComponent* form = FormReader(classes_).Read("object F: TTestForm\nend", "f.dfm", &app);
  EXPECT_EQ(form->Owner(), &app);
  EXPECT_EQ(app.FindComponent("F"), form);
}

TEST_F(FormReaderTest, MalformedFormsFailWithFileLineAndWhatWasExpected) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"object Form1: TTestForm\n  Left 12\n  Caption = 'x'\nend",
       "config\\main.dfm(2,8): expected '=' but found number 12"},
      {"object Form1: TTestForm\n  Left\n  Caption = 'x'\nend",
       "config\\main.dfm(3,3): expected '=' but found 'Caption'"},
      {"object Form1: TTestForm\n  Foo = 1\nend", "config\\main.dfm(2,3): unknown property 'Foo' of TTestForm"},
      {"object Form1: TTestForm\n  Font.Nme = 'x'\nend",
       "config\\main.dfm(2,3): unknown property 'Font.Nme' of TTestForm"},
      {"object Form1: TTestForm\n  Left.X = 1\nend",
       "config\\main.dfm(2,3): unknown property 'Left.X' of TTestForm"},
      {"object Form1: TTestForm\n  object B: TBogus\n  end\nend", "config\\main.dfm(2,13): unknown class 'TBogus'"},
      {"object Form1: TBogus\nend", "config\\main.dfm(1,15): unknown class 'TBogus'"},
      {"object Form1: TTestForm\n  Enabled = Tru\nend",
       "config\\main.dfm(2,13): value 'Tru' is not valid for property 'Enabled'"},
      {"object Form1: TTestForm\n  Enabled = 1\nend",
       "config\\main.dfm(2,13): value 1 is not valid for property 'Enabled'"},
      {"object Form1: TTestForm\n  Align = alLeft\nend",
       "config\\main.dfm(2,11): value 'alLeft' is not valid for property 'Align'"},
      {"object Form1: TTestForm\n  Font.Style = [fsBold, fsBlod]\nend",
       "config\\main.dfm(2,16): value 'fsBlod' is not valid for property 'Font.Style'"},
      {"object Form1: TTestForm\n  Left = 'ten'\nend",
       "config\\main.dfm(2,10): value 'ten' is not valid for property 'Left'"},
      {"object Form1: TTestForm\n  Left = 3000000000\nend",
       "config\\main.dfm(2,10): value 3000000000 is out of range for property 'Left' (-2147483648..2147483647)"},
      {"object Form1: TTestForm\n  object N: TTestNonVisual\n    Order = -2\n  end\nend",
       "config\\main.dfm(3,13): value -2 is out of range for property 'Order' (-1..65535)"},
      {"object Form1: TTestForm\n  Caption = 12\nend",
       "config\\main.dfm(2,13): value 12 is not valid for property 'Caption'"},
      {"object Form1: TTestForm\n  Lines = ( 'a' 2 )\nend",
       "config\\main.dfm(2,17): value 2 is not valid for property 'Lines'"},
      {"object Form1: TTestForm\n  Font = 'Arial'\nend",
       "config\\main.dfm(2,10): property 'Font' is an object; set its parts, as in 'Font.Name'"},
      {"object Form1: TTestForm\n  Buddy = Panel9\nend",
       "config\\main.dfm(2,11): unresolved reference 'Panel9' in property 'Buddy' of Form1"},
      {"object Form1: TTestForm\n  object N: TTestNonVisual\n    Panel = Form1\n  end\nend",
       "config\\main.dfm(3,13): 'Form1' is a TTestForm, not a TTestPanel (property 'Panel' of N)"},
      {"object Form1: TTestForm\n  object A: TTestPanel\n  end\n  object a: TTestPanel\n  end\nend",
       "config\\main.dfm(4,10): duplicate component name 'a'"},
      {"object Form1: TTestForm\n  object A: TTestPanel\n  end\n",
       "config\\main.dfm(4,1): expected a property name, 'object' or 'end' but found end of file"},
      {"object Form1: TTestForm\nend\nobject", "config\\main.dfm(3,1): expected end of file but found 'object'"},
      {"Form1: TTestForm\nend", "config\\main.dfm(1,1): expected 'object' but found 'Form1'"},
      {"", "config\\main.dfm(1,1): expected 'object' but found end of file"},
      {"object Form1: TTestForm\n  Caption = 'a' +\nend",
       "config\\main.dfm(3,1): expected a string after '+' but found 'end'"},
      {"object Form1: TTestForm\n  Font.Style = [fsBold fsItalic]\nend",
       "config\\main.dfm(2,24): expected ',' or ']' but found 'fsItalic'"},
      {"object Form1: TTestForm\n  Columns = < Caption = 'x' >\nend",
       "config\\main.dfm(2,15): expected 'item' or '>' but found 'Caption'"},
      {"object Form1: TTestForm\n  Columns = <\n    item\n      Nope = 1\n    end>\nend",
       "config\\main.dfm(4,7): unknown property 'Nope' of TTestItem"},
      {"object Form1: TTestForm\n  Columns = <>\n  Columns = <>\nend",
       "config\\main.dfm(3,13): property 'Columns' of Form1 is given twice"},
      {"object Form1: TTestForm\n  Left = =\nend", "config\\main.dfm(2,10): expected a value but found '='"},
      {"object Form1: TTestForm\n  object B: TTestBomb\n  end\nend",
       "config\\main.dfm(2,3): cannot create B: TTestBomb: no second bomb allowed"},
      {"object Form1: TTestForm\n  object N: TTestNonVisual\n    Checked = 'refuse'\n  end\nend",
       "config\\main.dfm(3,5): cannot set property 'Checked' of N: refused"},
      {"object Form1: TTestForm\n  OnClick = 'x'\nend",
       "config\\main.dfm(2,13): value 'x' is not valid for property 'OnClick'"},
      {"object Form1: TTestForm\n  inherited Panel1: TTestPanel\n  end\nend",
       "config\\main.dfm(2,13): inherited component 'Panel1' not found"},
      {"object Form1: TTestForm\n  object A: TTestPanel\n    inherited A: TTestPanel\n    end\n  end\nend",
       "config\\main.dfm(3,15): component 'A' is given twice"},
  };
  for (const Case& c : cases) EXPECT_EQ(Error(c.text), c.message) << c.text;
}

TEST_F(FormReaderTest, NothingStaysBehindWhenAFormFailsLate) {
  // Everything was created and set; the error comes with the fixups.
  EXPECT_NE(Error(R"(object Form1: TTestForm
  object P: TTestPanel
    object Q: TTestControl
      Buddy = Missing
    end
  end
  object N: TTestNonVisual
  end
end)"),
            "(no error)");
  EXPECT_TRUE(Watch::loaded.empty());  // no Loaded() for a form that failed
}

TEST_F(FormReaderTest, AFailingLoadedPassesItsOwnErrorAndFreesTheForm) {
  try {
    Read("object Form1: TTestForm\n  object FailInLoaded: TTestNonVisual\n  end\n  object After: TTestPanel\n  end\nend");
    FAIL();
  } catch (const EFormError&) {
    FAIL() << "the component's own error must pass unchanged";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Loaded failed");
  }
  EXPECT_EQ(Watch::loaded, (std::vector<std::string>{"Form1", "FailInLoaded"}));
}

TEST_F(FormReaderTest, AFailedReadIntoFreesWhatItCreatedAndKeepsTheRoot) {
  TTestForm form(nullptr);
  auto* kept = new TTestPanel(&form);
  kept->SetName("Panel1");
  EXPECT_THROW(FormReader(classes_).ReadInto(&form, R"(object Main: TTestForm
  inherited Panel1: TTestPanel
  end
  object New1: TTestControl
    object New2: TTestControl
    end
  end
  Left = nonsense
end)", "main.dfm"),
               EFormError);
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), kept);
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(kept->IsLoading());
  // A form of another class is refused before anything happens.
  try {
    FormReader(classes_).ReadInto(&form, "object X: TTestPanel\nend", "main.dfm");
    FAIL();
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Message(), "main.dfm(1,11): the form is a TTestPanel, not a TTestForm");
  }
}

TEST_F(FormReaderTest, LimitsStopDeepNestingAndOversizedValues) {
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += "object TTestControl\n";
  for (int i = 0; i < 40; ++i) deep += "end\n";
  EXPECT_EQ(Error(deep), "config\\main.dfm(33,1): objects nested deeper than 32 levels");

  std::string lists = "object F: TTestForm\n  Lines = " + std::string(100, '(') + "\nend";
  EXPECT_NE(Error(lists).find("values nested deeper than 32 levels"), std::string::npos);

  FormReader reader(classes_);
  reader.Limits().max_string = 8;
  reader.Limits().max_components = 2;
  try {
    reader.Read("object F: TTestForm\n  Caption = 'abcde' +\n 'fghij'\nend", "s.dfm");
    FAIL();
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Message(), "s.dfm(3,2): string longer than 8 bytes");
  }
  try {
    reader.Read("object F: TTestForm\n object TTestControl\n end\n object TTestControl\n end\n object TTestControl\n end\nend",
                "s.dfm");
    FAIL();
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Message(), "s.dfm(6,2): more than 2 components");
  }
}

}  // namespace
}  // namespace kit
