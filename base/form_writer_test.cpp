#include "base/form_writer.h"

#include <gtest/gtest.h>

#include "base/form_reader.h"
#include "base/form_test_classes.h"

namespace kit {
namespace {

using namespace formtest;

class FormWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(classes_); }
  ClassRegistry classes_;
};

TEST_F(FormWriterTest, WritesTheTreeInTheTextFormat) {
  TTestForm form(nullptr);
  form.SetName("Form1");
  form.SetCaption("it's");
  form.Font()->SetStyle(0b11);
  form.SetLines({"a"});
  auto* panel = new TTestPanel(&form);
  panel->SetName("Panel1");
  panel->SetParentComponent(&form);
  auto* button = new TTestControl(&form);
  button->SetName("Button1");
  button->SetParentComponent(panel);
  button->SetBuddy(panel);
  std::string text = FormWriter(classes_).Write(&form);
  EXPECT_EQ(text.rfind("object Form1: TTestForm\n  Tag = 0\n  Left = 0\n", 0), 0u) << text;
  EXPECT_NE(text.find("\n  Caption = 'it''s'\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n  Font.Style = [fsBold, fsItalic]\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n  Lines.Strings = (\n    'a')\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n  object Panel1: TTestPanel\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n    object Button1: TTestControl\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n      Buddy = Panel1\n"), std::string::npos) << text;
  const std::string tail = "      Columns = <>\n    end\n  end\nend\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(FormWriterTest, WhatItWritesReadsBackToTheSameValues) {
  TTestForm form(nullptr);
  form.SetName("Form1");
  std::string tricky = "Tavrix 'Program' Dosyalar\xFD\r\n\t#200 ";
  for (int i = 0; i < 200; ++i) tricky += static_cast<char>('a' + i % 26);
  tricky += '\x7F';
  form.SetCaption(tricky);
  form.SetLeft(-2147483647 - 1);
  form.SetEnabled(false);
  form.SetAlign(TAlign::alBottom);
  form.SetRatio(0.1);
  form.SetOnClick("FormClick");
  form.Font()->SetName("Arial");
  form.Font()->SetColor(0xFF);
  form.Font()->SetStyle(0b1000);
  Bytes data;
  for (int i = 0; i < 100; ++i) data.push_back(static_cast<std::uint8_t>(i * 7));
  form.Glyph().SetData(data);
  form.SetLines({"", "'", "\xC8\xC9", std::string(1, '\0')});
  form.Columns().resize(2);
  form.Columns()[0].caption = "c0";
  form.Columns()[1].width = 9;
  auto* nv = new TTestNonVisual(&form);
  nv->SetName("Install1");
  nv->SetOrder(65535);
  nv->SetKinds(0b1010);
  nv->SetBig(INT64_MIN);
  auto* panel = new TTestPanel(&form);
  panel->SetName("Panel1");
  panel->SetParentComponent(&form);
  panel->SetBevelWidth(10);
  nv->SetPanel(panel);
  form.Columns()[1].target = nv;
  form.SetBuddy(panel);

  const std::string first = FormWriter(classes_).Write(&form);
  auto back = FormReader(classes_).Read(first, "round.dfm");
  auto* f = static_cast<TTestForm*>(back.get());
  EXPECT_EQ(f->Caption(), tricky);
  EXPECT_EQ(f->Left(), -2147483647 - 1);
  EXPECT_FALSE(f->Enabled());
  EXPECT_EQ(f->Align(), TAlign::alBottom);
  EXPECT_EQ(f->Ratio(), 0.1);
  EXPECT_EQ(f->OnClick(), "FormClick");
  EXPECT_EQ(f->Font()->Color(), 0xFF);
  EXPECT_EQ(f->Font()->Style(), 0b1000);
  EXPECT_EQ(f->Glyph().Data(), data);
  EXPECT_EQ(f->Lines(), form.Lines());
  ASSERT_EQ(f->Columns().size(), 2u);
  EXPECT_EQ(f->Columns()[1].target, back->FindComponent("Install1"));
  auto* nv2 = static_cast<TTestNonVisual*>(back->FindComponent("Install1"));
  EXPECT_EQ(nv2->Kinds(), 0b1010);
  EXPECT_EQ(nv2->Big(), INT64_MIN);
  EXPECT_EQ(nv2->Panel(), back->FindComponent("Panel1"));
  EXPECT_EQ(f->Buddy(), back->FindComponent("Panel1"));
  EXPECT_EQ(FormWriter(classes_).Write(back.get()), first);
}

TEST_F(FormWriterTest, RefusesWhatItCannotWrite) {
  TTestForm form(nullptr);
  form.SetName("F");
  ClassRegistry empty;
  EXPECT_THROW(FormWriter(empty).Write(&form), EWriteError);
  form.SetAlign(static_cast<TAlign>(9));
  EXPECT_THROW(FormWriter(classes_).Write(&form), EWriteError);
}

}  // namespace
}  // namespace kit
