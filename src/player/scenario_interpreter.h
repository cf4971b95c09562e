// Runs scenario statements. Every value is a Variant and every member is reached through
// Dispatch by name, so any member of the simulated Word or of the component can be used with
// no code of its own here. Roots (Module, Sim, Desktop...) are given by the world; Err is the
// interpreter's own.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "automation/dispatch.h"
#include "player/err_object.h"
#include "player/scenario_ast.h"
#include "player/scenario_host.h"

namespace k72645::player {

class Interpreter {
public:
    explicit Interpreter(ScenarioHost& host);

    // Makes an object reachable by name (any case). Roots cannot be assigned.
    void addRoot(const std::u16string& name, DispatchPtr object);
    // Where Show puts what the world shows (nowhere until set).
    using ShowSink = std::function<void(const Statement&, const std::string&)>;
    void onShow(ShowSink sink) { showSink_ = std::move(sink); }

    // Runs one statement and returns the value of a call or print statement (Empty for the
    // others). A failure raises ComError, unless On Error Resume Next is in force, which
    // records it in Err; a failed Assert, an unknown name or an assignment to a root or a
    // function raises ScenarioFailure. An Assert is never trapped.
    Variant execute(const Statement& statement);
    Variant evaluate(const Expr& expr);

    std::optional<Variant> variable(const std::u16string& name) const;
    void setVariable(const std::u16string& name, Variant value);

    const ErrObject& err() const { return *err_; }
    bool resumingNext() const { return resumeNext_; }

private:
    Variant run(const Statement& statement);
    void assign(const Expr& target, Variant value);
    void runAssert(const Expr& condition);
    // A member path evaluated as a call: the last member is invoked with `kind`.
    Variant invokePath(const Expr& expr, InvokeKind kind);
    Variant invokeMember(const DispatchPtr& object, std::u16string_view member, InvokeKind kind,
                         const std::vector<ExprPtr>& argExprs);
    Variant callFunction(const Expr& call);
    Variant readName(const std::u16string& name);
    bool isVariableName(const std::u16string& name) const;

    ScenarioHost& host_;
    std::map<std::u16string, DispatchPtr> roots_;  // keys in lower case
    std::map<std::u16string, Variant> variables_;  // keys in lower case
    std::shared_ptr<ErrObject> err_;
    bool resumeNext_ = false;
    ShowSink showSink_;
};

}  // namespace k72645::player
