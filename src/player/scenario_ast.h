// The parsed form of a scenario: expressions and statements, each knowing where it was written.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "automation/variant.h"

namespace k72645::player {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
    enum class Kind {
        Literal,   // value
        Name,      // name: a variable, a root or a function
        Member,    // object.name
        Call,      // object(args): a function, a member with arguments or a default member
        Not,       // Not operand
        Negate,    // -operand
        Concat,    // left & right
        Equal,     // left = right
        NotEqual,  // left <> right
        Is,        // left Is right
    };

    Kind kind;
    int line = 0;
    int column = 0;
    int depth = 1;               // levels of the tree under and including this node
    bool parenthesized = false;  // written in parentheses: an argument then goes by value
    Variant value;               // Literal
    std::u16string name;         // Name, Member
    ExprPtr left;                // Member and Call: the object; unary: the operand
    ExprPtr right;               // binary operators
    std::vector<ExprPtr> args;   // Call: a null entry is an omitted argument
};

struct Statement {
    enum class Kind {
        Assign,             // target = value (Set or not)
        Call,               // target evaluated as a call, its result dropped
        Assert,             // value must be True
        OnErrorResumeNext,  // failures set Err from here
        OnErrorGoTo0,       // failures fail the scenario from here; clears Err
        Print,              // ? value (interactive player only)
        Show,               // Show or Show Documents: what Word shows
    };

    Kind kind;
    int line = 0;            // the line the statement starts on
    std::u16string text;     // the statement as written, continuation lines joined
    ExprPtr target;          // Assign, Call
    ExprPtr value;           // Assign, Assert, Print
    bool documents = false;  // Show Documents
};

struct Program {
    std::vector<Statement> statements;
};

}  // namespace k72645::player
