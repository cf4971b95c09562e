#include <gtest/gtest.h>

#include <functional>

#include "automation/automation_object.h"
#include "automation/vb.h"

namespace k72645 {
namespace {

// A small object with a property, a method, an indexed default member and a by-reference
// parameter, as the component's own objects declare them.
class Counter : public AutomationObject {
public:
    static std::shared_ptr<Counter> create() { return std::shared_ptr<Counter>(new Counter()); }
    std::int32_t value = 0;

private:
    Counter() {
        property(
            u"Value", [this](Arguments&) { return Variant(value); },
            [this](Arguments&, const Variant& v) { value = vb::cLng(v); });
        method(u"Increment", [this](Arguments&) {
            ++value;
            return Variant(value);
        });
        // Doubles its by-reference argument in place.
        method(u"DoubleIt", [](Arguments& args) {
            args.at(0).value = Variant(vb::cLng(args.at(0).value) * 2);
            return Variant();
        });
        property(u"Item", [](Arguments& args) {
            return Variant(u"item " + vb::cStr(requiredArgument(args, 0)));
        });
        property(u"ReadOnly", [](Arguments&) { return Variant(u"fixed"); });
        defaultMember(u"Item");
    }
};

std::int32_t errorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ComError& e) {
        return e.number();
    }
    return 0;
}

TEST(AutomationObject, MembersAreFoundWithoutRegardToCase) {
    auto counter = Counter::create();
    put(counter, u"VALUE", Variant(5));
    EXPECT_EQ(get(counter, u"value"), Variant(5));
    EXPECT_EQ(call(counter, u"increment"), Variant(6));
    EXPECT_EQ(call(counter, u"INCREMENT"), Variant(7));
    EXPECT_EQ(counter->value, 7);
    EXPECT_TRUE(counter->hasMember(u"vAlUe"));
    EXPECT_FALSE(counter->hasMember(u"Missing"));
}

TEST(AutomationObject, UnknownMembersAndWritesRaise438) {
    auto counter = Counter::create();
    EXPECT_EQ(errorNumberOf([&] { get(counter, u"Nope"); }), errors::kMemberNotFound);
    EXPECT_EQ(errorNumberOf([&] { call(counter, u"Nope"); }), errors::kMemberNotFound);
    EXPECT_EQ(errorNumberOf([&] { put(counter, u"ReadOnly", Variant(1)); }),
              errors::kMemberNotFound);
    EXPECT_EQ(get(counter, u"ReadOnly"), Variant(u"fixed"));
}

TEST(AutomationObject, EmptyNameIsTheDefaultMember) {
    auto counter = Counter::create();
    EXPECT_EQ(get(counter, u"", {Variant(3)}), Variant(u"item 3"));
    EXPECT_EQ(errorNumberOf([&] { get(counter, u""); }), errors::kArgumentNotOptional);
    // Comparing an object with a value reads its default member.
    class Named : public AutomationObject {
    public:
        Named() {
            property(u"Name", [](Arguments&) { return Variant(u"Lettre"); });
            defaultMember(u"Name");
        }
    };
    auto named = std::make_shared<Named>();
    EXPECT_TRUE(vb::equals(Variant(named), Variant(u"Lettre")));
    EXPECT_EQ(vb::cStr(Variant(named)), u"Lettre");
    // An object without a default member refuses the empty name.
    class Plain : public AutomationObject {};
    EXPECT_EQ(errorNumberOf([] { get(std::make_shared<Plain>(), u""); }), errors::kMemberNotFound);
}

TEST(AutomationObject, NullObjectRaises91) {
    DispatchPtr none;
    EXPECT_EQ(errorNumberOf([&] { get(none, u"Value"); }), errors::kObjectNotSet);
    EXPECT_EQ(errorNumberOf([&] { call(none, u"Increment"); }), errors::kObjectNotSet);
    EXPECT_EQ(errorNumberOf([&] { put(none, u"Value", Variant(1)); }), errors::kObjectNotSet);
    Arguments args;
    EXPECT_EQ(errorNumberOf([&] { callWith(none, u"DoubleIt", args); }), errors::kObjectNotSet);
    EXPECT_EQ(errorNumberOf([] { toObject(Variant::nothing()); }), errors::kObjectNotSet);
    EXPECT_EQ(errorNumberOf([] { toObject(Variant(1)); }), errors::kTypeMismatch);
    EXPECT_EQ(errorNumberOf([] { vb::valueOf(Variant::nothing()); }), errors::kObjectNotSet);
}

TEST(AutomationObject, ByReferenceArgumentsComeBackThroughCallWith) {
    auto counter = Counter::create();
    Arguments args{Argument::ref(Variant(21))};
    callWith(counter, u"DoubleIt", args);
    EXPECT_TRUE(args[0].byRef);
    EXPECT_EQ(args[0].value, Variant(42));
    // call() takes its arguments by value: the caller's list is left alone.
    Arguments byValue{Argument(Variant(21))};
    call(counter, u"DoubleIt", byValue);
    EXPECT_EQ(byValue[0].value, Variant(21));
}

TEST(AutomationObject, IdentityAndArguments) {
    auto a = Counter::create();
    auto b = Counter::create();
    EXPECT_TRUE(sameObject(a, a));
    EXPECT_FALSE(sameObject(a, b));
    EXPECT_TRUE(sameObject(nullptr, nullptr));
    EXPECT_FALSE(sameObject(a, nullptr));
    EXPECT_EQ(toObject(Variant(a)).get(), a.get());
    Arguments args{Argument(Variant(1)), Argument(Variant::missing())};
    EXPECT_EQ(argumentAt(args, 0), Variant(1));
    EXPECT_TRUE(argumentAt(args, 1).isMissing());
    EXPECT_TRUE(argumentAt(args, 5).isMissing());
    EXPECT_EQ(errorNumberOf([&] { requiredArgument(args, 1); }), errors::kArgumentNotOptional);
    EXPECT_EQ(errorNumberOf([&] { requiredArgument(args, 2); }), errors::kArgumentNotOptional);
}

}  // namespace
}  // namespace k72645
