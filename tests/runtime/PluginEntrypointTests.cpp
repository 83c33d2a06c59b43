// Plug-in entry points, found by member name, and the table the program fills.
#include "RuntimeFixture.h"

#include <vector>

namespace rt {
namespace {

using namespace loom;

using PluginEntrypointTest = RuntimeTest;

Code lookup(const char* name) {
    Text n(name);
    return RuntimeLookupPluginEntrypoint(n.get());
}

TEST_F(PluginEntrypointTest, NamesResolveToCode) {
    for (const char* name :
         {"_", "BevelButton.__Lookup", "BevelButton.TextUnit.Set", "BevelButton.Caption.Get", "BevelButton.Icon.Set",
          "BevelButton.AddRow", "BevelButton.Push", "Spinner.__Lookup", "Badge.Text.Set", "Toggle.State.Get"})
        EXPECT_NE(lookup(name), nullptr) << name;
    for (const char* name : {"", "BevelButton", "BevelButton.TextUnit", "bevelbutton.__lookup",
                             "BevelButton.Nothing.Set", "Toggle.State.Set", "BevelButton.TextUnit.Set "})
        EXPECT_EQ(lookup(name), nullptr) << '"' << name << '"';

    EXPECT_EQ(as<const ClassRecord*()>(lookup("BevelButton.__Lookup"))(), BevelButton::__Lookup());
    EXPECT_NE(lookup("BevelButton.Caption.Get"), lookup("BevelButton.Caption.Set"));
}

TEST_F(PluginEntrypointTest, AccessorEntriesSetAndGetTheProperty) {
    Ref<Object> button = make(BevelButton::__Lookup());
    as<void(Object*, int32_t, uint8_t)>(lookup("BevelButton.TextUnit.Set"))(button.get(), 0, 2);
    EXPECT_EQ(property(button.get(), BevelButtonProp::TextUnit), Value::byteEnum(2));
    EXPECT_EQ(as<uint8_t(Object*, int32_t)>(lookup("BevelButton.TextUnit.Get"))(button.get(), 0), 2);
    expectInitialProperties(button.get(), {BevelButtonProp::TextUnit});

    Text caption("Next >");
    as<void(Object*, int32_t, String*)>(lookup("BevelButton.Caption.Set"))(button.get(), 0, caption.get());
    String* got = as<String*(Object*, int32_t)>(lookup("BevelButton.Caption.Get"))(button.get(), 0);
    EXPECT_EQ(view(got), "Next >");
    RuntimeUnlockString(got);  // the getter hands over a reference

    // On an object of another class the entry raises and changes nothing.
    Ref<Object> label = make(Label::__Lookup());
    const Caught caught = catchRaised(
        [&] { as<void(Object*, int32_t, uint8_t)>(lookup("BevelButton.TextUnit.Set"))(label.get(), 0, 2); });
    EXPECT_EQ(caught.cls, NilObjectException::__Lookup());
    expectInitialProperties(label.get());
}

// A bevel button's menu rows are its own: they go when it is freed, and a
// button made later, at the same address or not, starts with none.
TEST_F(PluginEntrypointTest, MenuRowsGoWithTheirButton) {
    const auto addRow = as<void(Object*, String*)>(lookup("BevelButton.AddRow"));
    const auto listCount = as<int32_t(Object*)>(lookup("BevelButton.ListCount"));
    Text row("Open");
    Object* first = RuntimeNewObject(BevelButton::__Lookup());
    addRow(first, row.get());
    addRow(first, row.get());
    EXPECT_EQ(listCount(first), 2);
    EXPECT_EQ(row.get()->refs, 3);  // each row holds the text
    RuntimeUnlockObject(first);
    EXPECT_EQ(row.get()->refs, 1) << "the freed button's rows are still held";

    // The allocator commonly hands the freed place to the next object of its size.
    std::vector<Ref<Object>> later;
    while (later.size() < 16 && (later.empty() || later.back().get() != first))
        later.push_back(make(BevelButton::__Lookup()));
    for (const Ref<Object>& b : later)
        EXPECT_EQ(listCount(b.get()), 0) << (b.get() == first ? "at the same address" : "");
}

TEST_F(PluginEntrypointTest, TheTableStartsZeroed) {
    Code* table = RuntimeAllocatePluginEntrypointsTable(70);
    ASSERT_NE(table, nullptr);
    for (int k = 0; k < 70; ++k) EXPECT_EQ(table[k], nullptr) << k;
    Code* other = RuntimeAllocatePluginEntrypointsTable(70);
    EXPECT_NE(other, table);
    table[0] = lookup("_");
    EXPECT_EQ(other[0], nullptr);
}

}  // namespace
}  // namespace rt
