// Plug-in controls and their entry points, found by member name: the bevel
// button (55 entries) and five small controls (14), after the entry "_".
// Tables here are laid out by hand.
// clang-format off
#include "ClassBuilder.h"
#include "loom/CallRecord.h"
#include "loom/NeverDestroyed.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <iterator>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace loom {

using T = PropType;

namespace {

struct AccessorSpec {
    std::string_view name;  // the property
    int slot;
    PropType type;
};

// Bevel button properties with a Get and a Set entry each, in entry order: the
// class's own properties, as its list declares them.
#define LOOM_ACCESSOR_(name, type, ...) {#name, BevelButtonProp::name, PropType::type},
constexpr AccessorSpec kBevelButtonAccessors[] = {LOOM_BEVELBUTTON_PROPERTIES(LOOM_ACCESSOR_)};
#undef LOOM_ACCESSOR_
static_assert(std::size(kBevelButtonAccessors) == size_t{BevelButtonProp::Count} - size_t{RectControlProp::Count});

// The C++ type of a property's value in entry calls.
template <PropType P> struct Carrier;
template <> struct Carrier<T::Integer> { using type = int32_t; };
template <> struct Carrier<T::Boolean> { using type = bool; };
template <> struct Carrier<T::String> { using type = String*; };
template <> struct Carrier<T::Color> { using type = Color; };
template <> struct Carrier<T::Single> { using type = float; };
template <> struct Carrier<T::ByteEnumeration> { using type = uint8_t; };
template <> struct Carrier<T::Object> { using type = Object*; };

// A string or an object read out goes with a reference for the caller.
template <PropType P> typename Carrier<P>::type fromValue(const Value& v) {
    if constexpr (P == T::Integer) return v.asInteger();
    else if constexpr (P == T::Boolean) return v.asBoolean();
    else if constexpr (P == T::String) return retain(v.asString()).release();
    else if constexpr (P == T::Color) return v.asColor();
    else if constexpr (P == T::Single) return v.asSingle();
    else if constexpr (P == T::ByteEnumeration) return static_cast<uint8_t>(v.asInteger());
    else return retain(v.asObject()).release();
}

template <PropType P> Value toValue(typename Carrier<P>::type v) {
    if constexpr (P == T::Integer) return Value::integer(v);
    else if constexpr (P == T::Boolean) return Value::boolean(v);
    else if constexpr (P == T::String) return Value::string(v);
    else if constexpr (P == T::Color) return Value::color(v);
    else if constexpr (P == T::Single) return Value::single(v);
    else if constexpr (P == T::ByteEnumeration) return Value::byteEnum(v);
    else return Value::object(v);
}

// Get and Set of one property of a plug-in class; `Owner` gives the class's
// record, `Name` the entry's name for the call record.
template <const ClassRecord* (*Owner)(), int Slot, PropType P, const std::string_view* Name> struct Accessor {
    using V = typename Carrier<P>::type;
    static V get(Object* o, int32_t) {
        if (!RuntimeObjectIsa(o, Owner())) RaiseNilObjectException();
        return fromValue<P>(property(o, Slot));
    }
    static void set(Object* o, int32_t, V v) {
        LOOM_RECORD(std::string(*Name) + ".Set", objectName(o), toValue<P>(v).describe());
        if (!RuntimeObjectIsa(o, Owner())) RaiseNilObjectException();
        setProperty(o, Slot, toValue<P>(v));
    }
};

const ClassRecord* lookupBevelButton() { return BevelButton::__Lookup(); }

template <size_t I> struct BevelName {
    static inline const std::string name = "BevelButton." + std::string(kBevelButtonAccessors[I].name);
    static inline const std::string_view view = name;
};

// Menu rows of a bevel button that has a menu: the button's own, freed with it.
struct MenuRows {
    static std::vector<Value>& of(Object* o) {
        if (!RuntimeObjectIsa(o, BevelButton::__Lookup())) RaiseNilObjectException();
        return static_cast<BevelButtonObject*>(o)->menuRows;
    }
};
void addRow(Object* o, String* text) { MenuRows::of(o).push_back(Value::string(text)); }
void addSeparator(Object* o) { MenuRows::of(o).push_back(Value::string("-")); }
void deleteAllRows(Object* o) { MenuRows::of(o).clear(); }
void insertRow(Object* o, int32_t at, String* text) {
    auto& rows = MenuRows::of(o);
    if (at < 0 || static_cast<size_t>(at) > rows.size()) RaiseRuntimeException("BevelButton.InsertRow: row out of range");
    rows.insert(rows.begin() + at, Value::string(text));
}
void removeRow(Object* o, int32_t at) {
    auto& rows = MenuRows::of(o);
    if (at < 0 || static_cast<size_t>(at) >= rows.size()) RaiseRuntimeException("BevelButton.RemoveRow: row out of range");
    rows.erase(rows.begin() + at);
}
String* listRow(Object* o, int32_t at) {
    auto& rows = MenuRows::of(o);
    if (at < 0 || static_cast<size_t>(at) >= rows.size()) RaiseRuntimeException("BevelButton.List: row out of range");
    return retain(rows[static_cast<size_t>(at)].asString()).release();
}
int32_t listCount(Object* o) { return static_cast<int32_t>(MenuRows::of(o).size()); }
void push(Object* o) {
    if (!RuntimeObjectIsa(o, BevelButton::__Lookup())) RaiseNilObjectException();
    pressButton(static_cast<BevelButtonObject*>(o));
}
int32_t pluginInterfaceVersion() { return 1; }

// The five small plug-in controls: each a RectControl with one property.
#define LOOM_SMALL_CONTROL(Class, Prop, Type, Initial)                                                          \
    const ClassRecord* Class##Lookup() {                                                                      \
        static const ClassRecord* r = detail::buildClass({.name = #Class,                                     \
                                                          .parent = RectControl::__Lookup(),                  \
                                                          .allocate = detail::allocate<RectControlObject>,    \
                                                          .properties = {{#Prop, Type, Initial}}});           \
        return r;                                                                                             \
    }                                                                                                         \
    const std::string_view k##Class##Name = #Class "." #Prop;                                                 \
    using Class##Accessor = Accessor<Class##Lookup, RectControlProp::Count, Type, &k##Class##Name>;
LOOM_SMALL_CONTROL(Spinner, Value, T::Integer, Value::integer(0))
LOOM_SMALL_CONTROL(Badge, Text, T::String, Value::string(""))
LOOM_SMALL_CONTROL(Dial, Angle, T::Integer, Value::integer(0))
LOOM_SMALL_CONTROL(Meter, Level, T::Integer, Value::integer(0))
LOOM_SMALL_CONTROL(Toggle, State, T::Boolean, Value::boolean(false))
#undef LOOM_SMALL_CONTROL

template <size_t... I> void addBevelAccessors(std::unordered_map<std::string, Code>& m, std::index_sequence<I...>) {
    ((m.emplace(std::string(BevelName<I>::view) + ".Get",
                code(&Accessor<lookupBevelButton, kBevelButtonAccessors[I].slot, kBevelButtonAccessors[I].type, &BevelName<I>::view>::get)),
      m.emplace(std::string(BevelName<I>::view) + ".Set",
                code(&Accessor<lookupBevelButton, kBevelButtonAccessors[I].slot, kBevelButtonAccessors[I].type, &BevelName<I>::view>::set))),
     ...);
}

const std::unordered_map<std::string, Code>& entryPoints() {
    static const std::unordered_map<std::string, Code> map = [] {
        std::unordered_map<std::string, Code> m;
        m.emplace("_", code(&pluginInterfaceVersion));
        m.emplace("BevelButton.__Lookup", code(&lookupBevelButton));
        addBevelAccessors(m, std::make_index_sequence<std::size(kBevelButtonAccessors)>{});
        m.emplace("BevelButton.AddRow", code(&addRow));
        m.emplace("BevelButton.AddSeparator", code(&addSeparator));
        m.emplace("BevelButton.DeleteAllRows", code(&deleteAllRows));
        m.emplace("BevelButton.InsertRow", code(&insertRow));
        m.emplace("BevelButton.RemoveRow", code(&removeRow));
        m.emplace("BevelButton.List", code(&listRow));
        m.emplace("BevelButton.ListCount", code(&listCount));
        m.emplace("BevelButton.Push", code(&push));
        m.emplace("Spinner.__Lookup", code(&SpinnerLookup));
        m.emplace("Spinner.Value.Get", code(&SpinnerAccessor::get));
        m.emplace("Spinner.Value.Set", code(&SpinnerAccessor::set));
        m.emplace("Badge.__Lookup", code(&BadgeLookup));
        m.emplace("Badge.Text.Get", code(&BadgeAccessor::get));
        m.emplace("Badge.Text.Set", code(&BadgeAccessor::set));
        m.emplace("Dial.__Lookup", code(&DialLookup));
        m.emplace("Dial.Angle.Get", code(&DialAccessor::get));
        m.emplace("Dial.Angle.Set", code(&DialAccessor::set));
        m.emplace("Meter.__Lookup", code(&MeterLookup));
        m.emplace("Meter.Level.Get", code(&MeterAccessor::get));
        m.emplace("Meter.Level.Set", code(&MeterAccessor::set));
        m.emplace("Toggle.__Lookup", code(&ToggleLookup));
        m.emplace("Toggle.State.Get", code(&ToggleAccessor::get));
        return m;
    }();
    return map;
}

}  // namespace

Code* RuntimeAllocatePluginEntrypointsTable(int32_t size) {
    LOOM_RECORD("RuntimeAllocatePluginEntrypointsTable", std::to_string(size));
    // Tables live for the whole process; the list is never destroyed, so they stay reachable.
    static NeverDestroyed<std::vector<std::unique_ptr<Code[]>>> tables;
    tables->push_back(std::make_unique<Code[]>(static_cast<size_t>(std::max(size, 0))));
    return tables->back().get();
}

Code RuntimeLookupPluginEntrypoint(String* memberName) {
    LOOM_RECORD("RuntimeLookupPluginEntrypoint", std::string(view(memberName)));
    auto it = entryPoints().find(std::string(view(memberName)));
    return it == entryPoints().end() ? nullptr : it->second;
}

}  // namespace loom
