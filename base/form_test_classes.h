// Component classes with every kind of published property, for the tests and
// the fuzz target of the form reader and writer.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/class_registry.h"
#include "base/component.h"
#include "base/exception.h"
#include "base/property.h"

namespace kit::formtest {

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alClient };
inline const EnumType kAlign("TAlign", {"alNone", "alTop", "alBottom", "alClient"});
inline const EnumType kFontStyles("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
inline const EnumType kColors("TColor", {{"clBlack", 0}, {"clRed", 0xFF}, {"clWhite", 0xFFFFFF}, {"clNone", 0x1FFFFFFF}});

// What the tests watch: live instances and the Loaded() calls.
struct Watch {
  static inline int live = 0;
  static inline std::vector<std::string> loaded;
};

class TTestFont {
 public:
  static const char* StaticClassName() { return "TTestFont"; }
  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<TTestFont>([](auto& p) {
      p.Str("Name", &TTestFont::SetName, &TTestFont::Name);
      p.Int("Size", &TTestFont::SetSize, &TTestFont::Size, 1, 1000);
      p.Int("Color", &TTestFont::SetColor, &TTestFont::Color, kColors);
      p.Set("Style", &TTestFont::SetStyle, &TTestFont::Style, kFontStyles);
    });
    return table;
  }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  int Size() const { return size_; }
  void SetSize(int v) { size_ = v; }
  std::int32_t Color() const { return color_; }
  void SetColor(std::int32_t v) { color_ = v; }
  std::uint8_t Style() const { return style_; }
  void SetStyle(std::uint8_t v) { style_ = v; }

 private:
  std::string name_ = "MS Sans Serif";
  int size_ = 8;
  std::int32_t color_ = 0;
  std::uint8_t style_ = 0;
};

class TTestPicture {
 public:
  static const char* StaticClassName() { return "TTestPicture"; }
  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<TTestPicture>([](auto& p) {
      p.Binary("Data", &TTestPicture::SetData, &TTestPicture::Data);
    });
    return table;
  }
  const Bytes& Data() const { return data_; }
  void SetData(const Bytes& v) { data_ = v; }

 private:
  Bytes data_;
};

struct TTestItem {
  static const char* StaticClassName() { return "TTestItem"; }
  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<TTestItem>([](auto& p) {
      p.Str("Caption", [](TTestItem* i, const std::string& v) { i->caption = v; },
            [](TTestItem* i) { return i->caption; });
      p.Int("Width", [](TTestItem* i, int v) { i->width = v; }, [](TTestItem* i) { return i->width; });
      p.Ref("Target", [](TTestItem* i, TComponent* c) { i->target = c; }, [](TTestItem* i) { return i->target; });
    });
    return table;
  }
  std::string caption;
  int width = 0;
  TComponent* target = nullptr;
};

class TTestControl : public TComponent {
  KIT_COMPONENT_CLASS(TTestControl)
 public:
  explicit TTestControl(TComponent* owner) : TComponent(owner) { ++Watch::live; }
  ~TTestControl() override { --Watch::live; }

  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<TTestControl, TComponent>([](auto& p) {
      p.Int("Left", &TTestControl::SetLeft, &TTestControl::Left);
      p.Int("Top", &TTestControl::SetTop, &TTestControl::Top);
      p.Str("Caption", &TTestControl::SetCaption, &TTestControl::Caption);
      p.Bool("Enabled", &TTestControl::SetEnabled, &TTestControl::Enabled);
      p.Enum("Align", &TTestControl::SetAlign, &TTestControl::Align, kAlign);
      p.Float("Ratio", &TTestControl::SetRatio, &TTestControl::Ratio);
      p.Object("Font", &TTestControl::Font);
      p.Object("Glyph", &TTestControl::Glyph);
      p.Strings("Lines", &TTestControl::SetLines, &TTestControl::Lines);
      p.Ref("Buddy", &TTestControl::SetBuddy, &TTestControl::Buddy);
      p.Event("OnClick", &TTestControl::SetOnClick, &TTestControl::OnClick);
      p.Collection("Columns", &TTestControl::Columns);
    });
    return table;
  }

  void SetParentComponent(TComponent* parent) { parent_ = parent; }
  TComponent* GetParentComponent() const { return parent_; }

  int Left() const { return left_; }
  void SetLeft(int v) { left_ = v; }
  int Top() const { return top_; }
  void SetTop(int v) { top_ = v; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v) { align_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  TTestFont* Font() { return &font_; }
  TTestPicture& Glyph() { return glyph_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(const std::vector<std::string>& v) { lines_ = v; }
  TTestControl* Buddy() const { return buddy_; }
  void SetBuddy(TTestControl* v) { buddy_ = v; }
  const std::string& OnClick() const { return on_click_; }
  void SetOnClick(const std::string& v) { on_click_ = v; }
  std::vector<TTestItem>& Columns() { return columns_; }

  void Loaded() override {
    TComponent::Loaded();
    Watch::loaded.push_back(Name());
  }

 private:
  TComponent* parent_ = nullptr;
  int left_ = 0, top_ = 0;
  std::string caption_;
  bool enabled_ = true;
  TAlign align_ = TAlign::alNone;
  double ratio_ = 0;
  TTestFont font_;
  TTestPicture glyph_;
  std::vector<std::string> lines_;
  TTestControl* buddy_ = nullptr;
  std::string on_click_;
  std::vector<TTestItem> columns_;
};

// Inherits TTestControl's table and adds one property.
class TTestPanel : public TTestControl {
  KIT_COMPONENT_CLASS(TTestPanel)
 public:
  using TTestControl::TTestControl;
  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<TTestPanel, TTestControl>([](auto& p) {
      p.Int("BevelWidth", &TTestPanel::SetBevelWidth, &TTestPanel::BevelWidth, 0, 10);
    });
    return table;
  }
  int BevelWidth() const { return bevel_; }
  void SetBevelWidth(int v) { bevel_ = v; }

 private:
  int bevel_ = 1;
};

class TTestForm : public TTestControl {
  KIT_COMPONENT_CLASS(TTestForm)
 public:
  using TTestControl::TTestControl;
};

// A non-visual component: a reference restricted to panels, a ranged order,
// a value that its setter checks only outside of loading, a 16-bit set.
class TTestNonVisual : public TComponent {
  KIT_COMPONENT_CLASS(TTestNonVisual)
 public:
  explicit TTestNonVisual(TComponent* owner) : TComponent(owner) { ++Watch::live; }
  ~TTestNonVisual() override { --Watch::live; }
  static const PropertyTable& Properties() {
    static const PropertyTable table = PropertyTable::Make<TTestNonVisual, TComponent>([](auto& p) {
      p.Ref("Panel", &TTestNonVisual::SetPanel, &TTestNonVisual::Panel);
      p.Int("Order", &TTestNonVisual::SetOrder, &TTestNonVisual::Order, -1, 65535);
      p.Str("Checked", &TTestNonVisual::SetChecked, &TTestNonVisual::Checked);
      p.Set("Kinds", &TTestNonVisual::SetKinds, &TTestNonVisual::Kinds, kAlign);
      p.Int("Big", &TTestNonVisual::SetBig, &TTestNonVisual::Big);
    });
    return table;
  }
  TTestPanel* Panel() const { return panel_; }
  void SetPanel(TTestPanel* v) { panel_ = v; }
  int Order() const { return order_; }
  void SetOrder(int v) { order_ = v; }
  const std::string& Checked() const { return checked_; }
  void SetChecked(const std::string& v) {
    if (!IsLoading() && v.empty()) throw Exception("Checked must not be empty");
    if (v == "refuse") throw Exception("refused");
    checked_ = v;
  }
  std::uint16_t Kinds() const { return kinds_; }
  void SetKinds(std::uint16_t v) { kinds_ = v; }
  std::int64_t Big() const { return big_; }
  void SetBig(std::int64_t v) { big_ = v; }

  bool loading_seen_in_loaded = false;
  void Loaded() override {
    loading_seen_in_loaded = IsLoading();
    TComponent::Loaded();
    Watch::loaded.push_back(Name());
    if (Name() == "FailInLoaded") throw Exception("Loaded failed");
  }

 private:
  TTestPanel* panel_ = nullptr;
  int order_ = -1;
  std::string checked_ = "x";
  std::uint16_t kinds_ = 0;
  std::int64_t big_ = 0;
};

// Fails in its constructor.
class TTestBomb : public TComponent {
  KIT_COMPONENT_CLASS(TTestBomb)
 public:
  explicit TTestBomb(TComponent* owner) : TComponent(nullptr) {
    (void)owner;
    throw Exception("no second bomb allowed");
  }
  static const PropertyTable& Properties() { return PropertiesOf<TComponent>(); }
};

inline void RegisterTestClasses(ClassRegistry& r) {
  r.Register<TTestControl>();
  r.Register<TTestPanel>();
  r.Register<TTestForm>();
  r.Register<TTestNonVisual>();
  r.Register<TTestBomb>();
}

}  // namespace kit::formtest
