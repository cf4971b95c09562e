#include "player/scenario_builtins.h"

#include <functional>
#include <map>

#include "automation/text.h"
#include "automation/vb.h"

namespace k72645::player {

namespace {

constexpr std::int32_t kWrongArgumentCount = 450;

struct Function {
    std::size_t minArgs;
    std::size_t maxArgs;
    std::function<Variant(const std::vector<Variant>&, ScenarioHost&)> body;
};

const Variant& required(const std::vector<Variant>& args, std::size_t i) {
    if (args[i].isMissing())
        throw errors::argumentNotOptional();
    return args[i];
}
bool given(const std::vector<Variant>& args, std::size_t i) {
    return i < args.size() && !args[i].isMissing();
}
std::int32_t nonNegative(const Variant& v) {
    std::int32_t n = vb::cLng(v);
    if (n < 0)
        throw errors::invalidCall();
    return n;
}
std::int32_t position(const Variant& v) {
    std::int32_t n = vb::cLng(v);
    if (n < 1)
        throw errors::invalidCall();
    return n;
}
Variant asLong(std::int64_t n) {
    return Variant(static_cast<std::int32_t>(n));
}

const std::map<std::u16string, Function>& functions() {
    using Args = const std::vector<Variant>&;
    static const std::map<std::u16string, Function> table = {
        {u"chr",
         {1, 1,
          [](Args a, ScenarioHost&) {
              return Variant(std::u16string(1, chr(vb::cLng(required(a, 0)))));
          }}},
        {u"len",
         {1, 1,
          [](Args a, ScenarioHost&) {
              return asLong(static_cast<std::int64_t>(vb::cStr(required(a, 0)).size()));
          }}},
        {u"lcase",
         {1, 1, [](Args a, ScenarioHost&) { return Variant(lcase(vb::cStr(required(a, 0)))); }}},
        {u"ucase",
         {1, 1, [](Args a, ScenarioHost&) { return Variant(ucase(vb::cStr(required(a, 0)))); }}},
        {u"left",
         {2, 2,
          [](Args a, ScenarioHost&) {
              return Variant(left(vb::cStr(required(a, 0)), nonNegative(required(a, 1))));
          }}},
        {u"mid",
         {2, 3,
          [](Args a, ScenarioHost&) {
              std::u16string text = vb::cStr(required(a, 0));
              std::int32_t start = position(required(a, 1));
              if (!given(a, 2))
                  return Variant(mid(text, start));
              return Variant(mid(text, start, nonNegative(a[2])));
          }}},
        // InStr([start,] text, needle)
        {u"instr",
         {2, 3,
          [](Args a, ScenarioHost&) {
              if (a.size() == 2) {
                  return asLong(inStr(vb::cStr(required(a, 0)), vb::cStr(required(a, 1))));
              }
              std::int32_t start = position(required(a, 0));
              return asLong(inStr(vb::cStr(required(a, 1)), vb::cStr(required(a, 2)), start));
          }}},
        {u"cstr", {1, 1, [](Args a, ScenarioHost&) { return Variant(vb::cStr(required(a, 0))); }}},
        {u"fileexists",
         {1, 1,
          [](Args a, ScenarioHost& host) {
              return Variant(host.fileExists(vb::cStr(required(a, 0))));
          }}},
        {u"folderexists",
         {1, 1,
          [](Args a, ScenarioHost& host) {
              return Variant(host.folderExists(vb::cStr(required(a, 0))));
          }}},
        {u"deliver",
         {1, 1,
          [](Args a, ScenarioHost& host) {
              return Variant(host.deliver(vb::cLng(required(a, 0))));
          }}},
        {u"wait",
         {1, 1,
          [](Args a, ScenarioHost& host) {
              host.wait(nonNegative(required(a, 0)));
              return Variant();
          }}},
        {u"createobject",
         {1, 1,
          [](Args a, ScenarioHost& host) {
              return Variant(host.createObject(vb::cStr(required(a, 0))));
          }}},
    };
    return table;
}

}  // namespace

bool isBuiltinFunction(std::u16string_view name) {
    return functions().count(lcase(name)) != 0;
}

Variant callBuiltin(std::u16string_view name, const std::vector<Variant>& args,
                    ScenarioHost& host) {
    auto it = functions().find(lcase(name));
    if (it == functions().end())
        throw errors::invalidCall();
    const Function& f = it->second;
    if (args.size() < f.minArgs)
        throw errors::argumentNotOptional();
    if (args.size() > f.maxArgs) {
        throw ComError(kWrongArgumentCount, u"Scenario",
                       u"Wrong number of arguments or invalid property assignment");
    }
    return f.body(args, host);
}

}  // namespace k72645::player
