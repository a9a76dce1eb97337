// Published properties: per class, a table of the properties that a stored
// form may set, by name (compared without regard to case), with their kind
// and accessors. A class's table extends the table of its base class; lookup
// walks up. Tables are built once, on first use, by a small builder:
//
//   const PropertyTable& TLabel::Properties() {
//     static const PropertyTable table = PropertyTable::Make<TLabel, TControl>([](auto& p) {
//       p.Str("Caption", &TLabel::SetCaption, &TLabel::Caption);
//       p.Int("Angle", &TLabel::SetAngle, &TLabel::Angle, 0, 359);
//       p.Enum("Alignment", &TLabel::SetAlignment, &TLabel::Alignment, kAlignmentType);
//       p.Object("Font", &TLabel::Font);   // Font.Name = 'Arial'
//     });
//     return table;
//   }
//
// The value type of a property is the getter's result type; the builder checks
// at compile time that the setter accepts it. Setters are plain member
// functions: a component that must "only store" while loading checks
// ComponentState() & cs::kLoading itself.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/component.h"

namespace kit {

class PropertyTable;

using Bytes = std::vector<std::uint8_t>;

enum class PropKind {
  kInteger,     // 123, -5, $FF; optionally also identifiers (colour names)
  kFloat,       // 1.5, 2E10
  kString,      // 'text'#13#10'more', 8-bit bytes passed through
  kBoolean,     // True / False
  kEnum,        // an identifier of an enumeration type
  kSet,         // [a, b] of identifiers; bit n stands for ordinal n
  kStrings,     // ( 'line1' 'line2' ); also written Name.Strings = ( ... )
  kBinary,      // { 0A1B... }
  kComponent,   // an identifier naming another component (resolved at the end)
  kEvent,       // an identifier naming a handler; kept as its name
  kObject,      // a sub-object whose parts are set with dotted names
  kCollection,  // < item ... end item ... end >
};

const char* PropKindName(PropKind kind);

// The identifiers of an enumeration type with their ordinal values; also
// the members of a set type and the identifiers an integer may take.
class EnumType {
 public:
  // Identifiers with consecutive ordinals from 0.
  EnumType(std::string name, std::initializer_list<const char*> names);
  // Identifiers with given values.
  EnumType(std::string name, std::initializer_list<std::pair<const char*, std::int64_t>> values);

  const std::string& Name() const { return name_; }
  bool Find(std::string_view ident, std::int64_t* value) const;
  const char* NameOf(std::int64_t value) const;  // null when no identifier has it
  std::int64_t MaxValue() const;
  const std::vector<std::pair<std::string, std::int64_t>>& Values() const { return values_; }

 private:
  std::string name_;
  std::vector<std::pair<std::string, std::int64_t>> values_;
};

// One published property. The accessors take the object as void*, which
// always points to an object of the class that declares the property.
struct PropInfo {
  std::string name;
  PropKind kind = PropKind::kInteger;
  std::int64_t min = 0, max = 0;                // integer range
  const EnumType* enum_type = nullptr;          // enumeration, set, integer identifiers
  // object, collection item: the table of the sub-object's class (looked up
  // on use, so a class may hold an object of its own class)
  const PropertyTable& (*sub_table_of)() = nullptr;
  const PropertyTable& SubTable() const { return sub_table_of(); }
  const char* ref_class = nullptr;              // component: the class it must be

  std::function<void(void*, std::int64_t)> set_int;  // integer, boolean, enumeration, set (mask)
  std::function<std::int64_t(void*)> get_int;
  std::function<void(void*, double)> set_float;
  std::function<double(void*)> get_float;
  std::function<void(void*, const std::string&)> set_string;  // string, event
  std::function<std::string(void*)> get_string;
  std::function<void(void*, const std::vector<std::string>&)> set_strings;
  std::function<std::vector<std::string>(void*)> get_strings;
  std::function<void(void*, const Bytes&)> set_bytes;
  std::function<Bytes(void*)> get_bytes;
  std::function<bool(void*, TComponent*)> set_ref;  // false: not of ref_class
  std::function<TComponent*(void*)> get_ref;
  std::function<void*(void*)> get_object;
  std::function<std::size_t(void*)> count;           // collection
  std::function<void(void*, std::size_t)> reset;     // collection: n fresh items
  std::function<void*(void*, std::size_t)> item;     // collection
};

template <class T>
class PropertyBuilder;

class PropertyTable {
 public:
  using ToParent = void* (*)(void*);
  using FromComponent = void* (*)(TComponent*);

  PropertyTable(std::string class_name, const PropertyTable* parent, ToParent to_parent,
                FromComponent from_component);
  PropertyTable(PropertyTable&&) = default;

  // The table of T, extending Base's (void: none). T names itself by
  // T::StaticClassName().
  template <class T, class Base = void, class F>
  static PropertyTable Make(F declare);

  const std::string& ClassName() const { return class_name_; }
  const PropertyTable* Parent() const { return parent_; }
  const std::vector<PropInfo>& Own() const { return props_; }

  // The property of that name here or in a base class. *obj points to an
  // object of this table's class; on success it is adjusted to the class
  // that declares the property.
  const PropInfo* Find(std::string_view name, void** obj) const;
  // Every property, those of the base classes first, with its adjusted object.
  void ForEach(void* obj, const std::function<void(const PropInfo&, void*)>& fn) const;
  // The object of this table's class within a component, or null when the
  // component is not one (or this is not a component class's table).
  void* Cast(TComponent* component) const {
    return from_component_ != nullptr ? from_component_(component) : nullptr;
  }

  void Add(PropInfo info);  // a second property of one name raises Exception

 private:
  std::string class_name_;
  const PropertyTable* parent_;
  ToParent to_parent_;
  FromComponent from_component_;
  std::vector<PropInfo> props_;
  std::unordered_map<std::string, std::size_t> index_;  // upper-case name
};

// The table of a class: T::Properties(), and TComponent's own (Tag).
template <class T>
const PropertyTable& PropertiesOf() {
  return T::Properties();
}
template <>
const PropertyTable& PropertiesOf<TComponent>();

namespace prop_detail {

template <class T, class G>
using GetResult = std::remove_cvref_t<std::invoke_result_t<G, T*>>;

template <class V>
constexpr bool kIntLike = std::is_integral_v<V> || std::is_enum_v<V>;

template <class V>
std::int64_t ToInt(V v) {
  if constexpr (std::is_enum_v<V>)
    return static_cast<std::int64_t>(static_cast<std::underlying_type_t<V>>(v));
  else
    return static_cast<std::int64_t>(v);
}

template <class V>
V FromInt(std::int64_t v) {
  if constexpr (std::is_enum_v<V>)
    return static_cast<V>(static_cast<std::underlying_type_t<V>>(v));
  else
    return static_cast<V>(v);
}

template <class V, bool = std::is_enum_v<V>>
struct Underlying { using type = V; };
template <class V>
struct Underlying<V, true> { using type = std::underlying_type_t<V>; };

template <class V>
constexpr std::int64_t MinOf() {
  using U = typename Underlying<V>::type;
  if constexpr (std::is_same_v<U, bool>) return 0;
  else return static_cast<std::int64_t>(std::numeric_limits<U>::min());
}
template <class V>
constexpr std::int64_t MaxOf() {
  using U = typename Underlying<V>::type;
  if constexpr (std::is_same_v<U, bool>) return 1;
  else if constexpr (sizeof(U) >= 8 && std::is_unsigned_v<U>) return std::numeric_limits<std::int64_t>::max();
  else return static_cast<std::int64_t>(std::numeric_limits<U>::max());
}

template <class T>
T* Self(void* p) { return static_cast<T*>(p); }

}  // namespace prop_detail

// Declares the properties of class T. Setters and getters are member
// function pointers of T or a base of T, or callables taking T*.
template <class T>
class PropertyBuilder {
 public:
  explicit PropertyBuilder(PropertyTable& table) : table_(table) {}

  template <class S, class G>
  PropertyBuilder& Int(const char* name, S set, G get) {
    using V = prop_detail::GetResult<T, G>;
    return Int(name, set, get, prop_detail::MinOf<V>(), prop_detail::MaxOf<V>());
  }
  template <class S, class G>
  PropertyBuilder& Int(const char* name, S set, G get, std::int64_t min, std::int64_t max) {
    using V = prop_detail::GetResult<T, G>;
    static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool>, "Int: the getter must return an integer");
    static_assert(std::is_invocable_v<S, T*, V>, "Int: the setter must take the getter's type");
    PropInfo p = Base(name, PropKind::kInteger);
    p.min = std::max(min, prop_detail::MinOf<V>());
    p.max = std::min(max, prop_detail::MaxOf<V>());
    p.set_int = [set](void* o, std::int64_t v) { std::invoke(set, prop_detail::Self<T>(o), static_cast<V>(v)); };
    p.get_int = [get](void* o) { return static_cast<std::int64_t>(std::invoke(get, prop_detail::Self<T>(o))); };
    table_.Add(std::move(p));
    return *this;
  }
  // An integer that may also be given by one of the identifiers (colours).
  template <class S, class G>
  PropertyBuilder& Int(const char* name, S set, G get, const EnumType& idents) {
    Int(name, set, get);
    Last().enum_type = &idents;
    return *this;
  }

  template <class S, class G>
  PropertyBuilder& Float(const char* name, S set, G get) {
    using V = prop_detail::GetResult<T, G>;
    static_assert(std::is_floating_point_v<V>, "Float: the getter must return a floating-point type");
    static_assert(std::is_invocable_v<S, T*, V>, "Float: the setter must take the getter's type");
    PropInfo p = Base(name, PropKind::kFloat);
    p.set_float = [set](void* o, double v) { std::invoke(set, prop_detail::Self<T>(o), static_cast<V>(v)); };
    p.get_float = [get](void* o) { return static_cast<double>(std::invoke(get, prop_detail::Self<T>(o))); };
    table_.Add(std::move(p));
    return *this;
  }

  template <class S, class G>
  PropertyBuilder& Str(const char* name, S set, G get) {
    return StringLike(name, PropKind::kString, set, get);
  }
  // An event handler, stored by the name of the handler.
  template <class S, class G>
  PropertyBuilder& Event(const char* name, S set, G get) {
    return StringLike(name, PropKind::kEvent, set, get);
  }

  template <class S, class G>
  PropertyBuilder& Bool(const char* name, S set, G get) {
    using V = prop_detail::GetResult<T, G>;
    static_assert(std::is_same_v<V, bool>, "Bool: the getter must return bool");
    static_assert(std::is_invocable_v<S, T*, bool>, "Bool: the setter must take bool");
    PropInfo p = Base(name, PropKind::kBoolean);
    p.min = 0;
    p.max = 1;
    p.set_int = [set](void* o, std::int64_t v) { std::invoke(set, prop_detail::Self<T>(o), v != 0); };
    p.get_int = [get](void* o) { return std::invoke(get, prop_detail::Self<T>(o)) ? std::int64_t{1} : std::int64_t{0}; };
    table_.Add(std::move(p));
    return *this;
  }

  template <class S, class G>
  PropertyBuilder& Enum(const char* name, S set, G get, const EnumType& type) {
    using V = prop_detail::GetResult<T, G>;
    static_assert(prop_detail::kIntLike<V>, "Enum: the getter must return an enumeration or integer");
    static_assert(std::is_invocable_v<S, T*, V>, "Enum: the setter must take the getter's type");
    PropInfo p = Base(name, PropKind::kEnum);
    p.enum_type = &type;
    p.set_int = [set](void* o, std::int64_t v) { std::invoke(set, prop_detail::Self<T>(o), prop_detail::FromInt<V>(v)); };
    p.get_int = [get](void* o) { return prop_detail::ToInt(std::invoke(get, prop_detail::Self<T>(o))); };
    table_.Add(std::move(p));
    return *this;
  }

  // A set of the members of `type`, held as a bit mask (bit n: ordinal n).
  template <class S, class G>
  PropertyBuilder& Set(const char* name, S set, G get, const EnumType& type) {
    using V = prop_detail::GetResult<T, G>;
    static_assert(prop_detail::kIntLike<V>, "Set: the getter must return an integer bit mask");
    static_assert(std::is_invocable_v<S, T*, V>, "Set: the setter must take the getter's type");
    PropInfo p = Base(name, PropKind::kSet);
    p.enum_type = &type;
    p.max = static_cast<std::int64_t>(sizeof(V) * 8);  // bits available
    p.set_int = [set](void* o, std::int64_t v) { std::invoke(set, prop_detail::Self<T>(o), prop_detail::FromInt<V>(v)); };
    p.get_int = [get](void* o) { return prop_detail::ToInt(std::invoke(get, prop_detail::Self<T>(o))); };
    table_.Add(std::move(p));
    return *this;
  }

  template <class S, class G>
  PropertyBuilder& Strings(const char* name, S set, G get) {
    using V = prop_detail::GetResult<T, G>;
    static_assert(std::is_convertible_v<V, std::vector<std::string>>, "Strings: the getter must return a list of strings");
    static_assert(std::is_invocable_v<S, T*, const std::vector<std::string>&>, "Strings: the setter must take a list of strings");
    PropInfo p = Base(name, PropKind::kStrings);
    p.set_strings = [set](void* o, const std::vector<std::string>& v) { std::invoke(set, prop_detail::Self<T>(o), v); };
    p.get_strings = [get](void* o) { return std::vector<std::string>(std::invoke(get, prop_detail::Self<T>(o))); };
    table_.Add(std::move(p));
    return *this;
  }

  template <class S, class G>
  PropertyBuilder& Binary(const char* name, S set, G get) {
    using V = prop_detail::GetResult<T, G>;
    static_assert(std::is_convertible_v<V, Bytes>, "Binary: the getter must return Bytes");
    static_assert(std::is_invocable_v<S, T*, const Bytes&>, "Binary: the setter must take Bytes");
    PropInfo p = Base(name, PropKind::kBinary);
    p.set_bytes = [set](void* o, const Bytes& v) { std::invoke(set, prop_detail::Self<T>(o), v); };
    p.get_bytes = [get](void* o) { return Bytes(std::invoke(get, prop_detail::Self<T>(o))); };
    table_.Add(std::move(p));
    return *this;
  }

  // A reference to another component of class R (the getter's R*).
  template <class S, class G>
  PropertyBuilder& Ref(const char* name, S set, G get) {
    using P = prop_detail::GetResult<T, G>;
    static_assert(std::is_pointer_v<P>, "Ref: the getter must return a component pointer");
    using R = std::remove_cv_t<std::remove_pointer_t<P>>;
    static_assert(std::is_base_of_v<TComponent, R>, "Ref: the getter must return a component pointer");
    static_assert(std::is_invocable_v<S, T*, R*>, "Ref: the setter must take the getter's type");
    PropInfo p = Base(name, PropKind::kComponent);
    p.ref_class = R::StaticClassName();
    p.set_ref = [set](void* o, TComponent* c) {
      R* r = dynamic_cast<R*>(c);
      if (c != nullptr && r == nullptr) return false;
      std::invoke(set, prop_detail::Self<T>(o), r);
      return true;
    };
    p.get_ref = [get](void* o) -> TComponent* { return std::invoke(get, prop_detail::Self<T>(o)); };
    table_.Add(std::move(p));
    return *this;
  }

  // A sub-object reached through the getter (S* or S&); its parts are set as
  // Name.Part with the properties of PropertiesOf<S>().
  template <class G>
  PropertyBuilder& Object(const char* name, G get) {
    using R = std::invoke_result_t<G, T*>;
    using S = std::remove_cv_t<std::remove_pointer_t<std::remove_reference_t<R>>>;
    PropInfo p = Base(name, PropKind::kObject);
    p.sub_table_of = &PropertiesOf<S>;
    p.get_object = [get](void* o) -> void* {
      if constexpr (std::is_pointer_v<std::remove_reference_t<R>>)
        return static_cast<void*>(const_cast<S*>(std::invoke(get, prop_detail::Self<T>(o))));
      else
        return static_cast<void*>(const_cast<S*>(&std::invoke(get, prop_detail::Self<T>(o))));
    };
    table_.Add(std::move(p));
    return *this;
  }

  // A collection: the getter gives the object's std::vector<S>& of items.
  template <class G>
  PropertyBuilder& Collection(const char* name, G get) {
    using R = std::invoke_result_t<G, T*>;
    static_assert(std::is_lvalue_reference_v<R> && !std::is_const_v<std::remove_reference_t<R>>,
                  "Collection: the getter must return a modifiable std::vector<Item>&");
    using Vec = std::remove_reference_t<R>;
    using S = typename Vec::value_type;
    PropInfo p = Base(name, PropKind::kCollection);
    p.sub_table_of = &PropertiesOf<S>;
    p.count = [get](void* o) { return std::invoke(get, prop_detail::Self<T>(o)).size(); };
    p.reset = [get](void* o, std::size_t n) {
      Vec& v = std::invoke(get, prop_detail::Self<T>(o));
      v.clear();
      v.resize(n);
    };
    p.item = [get](void* o, std::size_t i) -> void* { return &std::invoke(get, prop_detail::Self<T>(o)).at(i); };
    table_.Add(std::move(p));
    return *this;
  }

 private:
  template <class S, class G>
  PropertyBuilder& StringLike(const char* name, PropKind kind, S set, G get) {
    using V = prop_detail::GetResult<T, G>;
    static_assert(std::is_convertible_v<V, std::string>, "the getter must return a string");
    static_assert(std::is_invocable_v<S, T*, const std::string&>, "the setter must take a string");
    PropInfo p = Base(name, kind);
    p.set_string = [set](void* o, const std::string& v) { std::invoke(set, prop_detail::Self<T>(o), v); };
    p.get_string = [get](void* o) { return std::string(std::invoke(get, prop_detail::Self<T>(o))); };
    table_.Add(std::move(p));
    return *this;
  }
  static PropInfo Base(const char* name, PropKind kind) {
    PropInfo p;
    p.name = name;
    p.kind = kind;
    return p;
  }
  PropInfo& Last();

  PropertyTable& table_;
};

template <class T>
PropInfo& PropertyBuilder<T>::Last() {
  return const_cast<PropInfo&>(table_.Own().back());
}

template <class T, class Base, class F>
PropertyTable PropertyTable::Make(F declare) {
  const PropertyTable* parent = nullptr;
  ToParent to_parent = nullptr;
  if constexpr (!std::is_void_v<Base>) {
    static_assert(std::is_base_of_v<Base, T>, "Make<T, Base>: Base must be a base class of T");
    parent = &PropertiesOf<Base>();
    to_parent = [](void* p) -> void* { return static_cast<Base*>(static_cast<T*>(p)); };
  }
  FromComponent from_component = nullptr;
  if constexpr (std::is_base_of_v<TComponent, T>)
    from_component = [](TComponent* c) -> void* { return dynamic_cast<T*>(c); };
  PropertyTable table(T::StaticClassName(), parent, to_parent, from_component);
  PropertyBuilder<T> builder(table);
  declare(builder);
  return table;
}

}  // namespace kit
