#include "player/scenario_interpreter.h"

#include "automation/text.h"
#include "automation/vb.h"
#include "player/scenario_builtins.h"
#include "player/scenario_failure.h"
#include "player/scenario_values.h"

namespace k72645::player {

namespace {

ComError objectRequired() {
    return ComError(424, u"Scenario", u"Object required");
}

DispatchPtr objectOf(const Variant& value) {
    if (!value.isObject())
        throw objectRequired();
    if (!value.object())
        throw errors::objectNotSet();
    return value.object();
}

std::string quotedName(const std::u16string& name) {
    return "'" + toUtf8(name) + "'";
}

}  // namespace

Interpreter::Interpreter(ScenarioHost& host) : host_(host), err_(ErrObject::create()) {
    addRoot(u"Err", err_);
}

void Interpreter::addRoot(const std::u16string& name, DispatchPtr object) {
    roots_[lcase(name)] = std::move(object);
}

std::optional<Variant> Interpreter::variable(const std::u16string& name) const {
    auto it = variables_.find(lcase(name));
    if (it == variables_.end())
        return std::nullopt;
    return it->second;
}

void Interpreter::setVariable(const std::u16string& name, Variant value) {
    if (!isVariableName(name)) {
        throw ScenarioFailure(quotedName(name) +
                              " is a root object or a function and cannot be "
                              "assigned");
    }
    variables_[lcase(name)] = std::move(value);
}

bool Interpreter::isVariableName(const std::u16string& name) const {
    return roots_.count(lcase(name)) == 0 && !isBuiltinFunction(name);
}

Variant Interpreter::execute(const Statement& statement) {
    try {
        return run(statement);
    } catch (const ComError& error) {
        if (!resumeNext_ || statement.kind == Statement::Kind::Assert)
            throw;
        err_->set(error);
        return {};
    }
}

Variant Interpreter::run(const Statement& s) {
    switch (s.kind) {
        case Statement::Kind::OnErrorResumeNext:
            resumeNext_ = true;
            err_->clear();
            return {};
        case Statement::Kind::OnErrorGoTo0:
            resumeNext_ = false;
            err_->clear();
            return {};
        case Statement::Kind::Assign:
            assign(*s.target, evaluate(*s.value));
            return {};
        case Statement::Kind::Assert:
            runAssert(*s.value);
            return {};
        case Statement::Kind::Call:
            return invokePath(*s.target, InvokeKind::Method);
        case Statement::Kind::Print:
            return evaluate(*s.value);
        case Statement::Kind::Show: {
            const std::string view =
                host_.showWord(s.documents ? WordView::Documents : WordView::ActiveDocument);
            if (showSink_)
                showSink_(s, view);
            return {};
        }
    }
    return {};
}

void Interpreter::assign(const Expr& target, Variant value) {
    switch (target.kind) {
        case Expr::Kind::Name:
            setVariable(target.name, std::move(value));
            return;
        case Expr::Kind::Member:
            put(objectOf(evaluate(*target.left)), target.name, std::move(value));
            return;
        case Expr::Kind::Call: {
            // obj.Member(index) = value, or obj(index) = value on the default member.
            const Expr& callee = *target.left;
            if (callee.kind == Expr::Kind::Name && isBuiltinFunction(callee.name)) {
                throw ScenarioFailure(quotedName(callee.name) +
                                      " is a function and cannot be "
                                      "assigned");
            }
            DispatchPtr object;
            std::u16string member;
            if (callee.kind == Expr::Kind::Member) {
                object = objectOf(evaluate(*callee.left));
                member = callee.name;
            } else {
                object = objectOf(evaluate(callee));
            }
            Arguments index;
            for (const auto& a : target.args) {
                index.emplace_back(a ? evaluate(*a) : Variant::missing());
            }
            put(object, member, std::move(value), std::move(index));
            return;
        }
        default:
            throw ScenarioFailure("only a variable or a member can be assigned");
    }
}

void Interpreter::runAssert(const Expr& condition) {
    const bool comparison = condition.kind == Expr::Kind::Equal ||
                            condition.kind == Expr::Kind::NotEqual ||
                            condition.kind == Expr::Kind::Is;
    if (comparison) {
        Variant left = evaluate(*condition.left);
        Variant right = evaluate(*condition.right);
        bool holds = condition.kind == Expr::Kind::Is ? isSameObject(left, right).boolean()
                                                      : vb::equals(left, right);
        if (condition.kind == Expr::Kind::NotEqual)
            holds = !holds;
        if (!holds) {
            throw ScenarioFailure("Assert failed: left side is " + describeValue(left) +
                                  ", right side is " + describeValue(right));
        }
        return;
    }
    Variant value = evaluate(condition);
    if (!isTrue(value)) {
        throw ScenarioFailure("Assert failed: the expression is " + describeValue(value));
    }
}

Variant Interpreter::evaluate(const Expr& e) {
    switch (e.kind) {
        case Expr::Kind::Literal:
            return e.value;
        case Expr::Kind::Name:
            return readName(e.name);
        case Expr::Kind::Member:
        case Expr::Kind::Call:
            return invokePath(e, InvokeKind::PropertyGet);
        case Expr::Kind::Not:
            return logicalNot(evaluate(*e.left));
        case Expr::Kind::Negate:
            return negate(evaluate(*e.left));
        case Expr::Kind::Concat: {
            Variant left = evaluate(*e.left);
            return concatenate(left, evaluate(*e.right));
        }
        case Expr::Kind::Equal: {
            Variant left = evaluate(*e.left);
            return Variant(vb::equals(left, evaluate(*e.right)));
        }
        case Expr::Kind::NotEqual: {
            Variant left = evaluate(*e.left);
            return Variant(!vb::equals(left, evaluate(*e.right)));
        }
        case Expr::Kind::Is: {
            Variant left = evaluate(*e.left);
            return isSameObject(left, evaluate(*e.right));
        }
    }
    return {};
}

Variant Interpreter::readName(const std::u16string& name) {
    auto it = variables_.find(lcase(name));
    if (it != variables_.end())
        return it->second;
    auto root = roots_.find(lcase(name));
    if (root != roots_.end())
        return Variant(root->second);
    if (isBuiltinFunction(name))
        return callBuiltin(name, {}, host_);
    throw ScenarioFailure(quotedName(name) +
                          " is not defined: no variable, root object or "
                          "function has that name");
}

Variant Interpreter::invokePath(const Expr& e, InvokeKind kind) {
    if (e.kind == Expr::Kind::Member) {
        return invokeMember(objectOf(evaluate(*e.left)), e.name, kind, {});
    }
    if (e.kind != Expr::Kind::Call)
        return evaluate(e);
    const Expr& callee = *e.left;
    if (callee.kind == Expr::Kind::Member) {
        return invokeMember(objectOf(evaluate(*callee.left)), callee.name, kind, e.args);
    }
    if (callee.kind == Expr::Kind::Name && isBuiltinFunction(callee.name)) {
        return callFunction(e);
    }
    // x(args) on an object is its default member.
    return invokeMember(objectOf(evaluate(callee)), u"", InvokeKind::PropertyGet, e.args);
}

Variant Interpreter::invokeMember(const DispatchPtr& object, std::u16string_view member,
                                  InvokeKind kind, const std::vector<ExprPtr>& argExprs) {
    Arguments args;
    std::vector<std::pair<std::size_t, std::u16string>> byReference;
    for (const auto& a : argExprs) {
        if (!a) {
            args.emplace_back(Variant::missing());
        } else if (a->kind == Expr::Kind::Name && !a->parenthesized && isVariableName(a->name)) {
            // A bare variable goes by reference: what the callee leaves in it comes back.
            byReference.emplace_back(args.size(), a->name);
            args.push_back(Argument::ref(variable(a->name).value_or(Variant())));
        } else {
            args.emplace_back(evaluate(*a));
        }
    }
    auto writeBack = [&] {
        for (const auto& [index, name] : byReference)
            variables_[lcase(name)] = args[index].value;
    };
    try {
        Variant result = object->invoke(member, kind, args);
        writeBack();
        return result;
    } catch (...) {
        writeBack();
        throw;
    }
}

Variant Interpreter::callFunction(const Expr& call) {
    std::vector<Variant> args;
    for (const auto& a : call.args)
        args.push_back(a ? evaluate(*a) : Variant::missing());
    return callBuiltin(call.left->name, args, host_);
}

}  // namespace k72645::player
