// The compiled form of a program text: a tree whose names the compiler has resolved in place to
// local slots, global entries, class fields, built-ins or host members, so the interpreter never
// looks a name up by its text on the hot path.
#pragma once

#include "script/Variant.h"

#include <memory>
#include <vector>

namespace tv::script {

struct Builtin;
struct ClassDef;
struct GlobalEntry;
struct Procedure;
struct Program;
struct SourceText;

enum class BinOp : uint8_t {
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,
    And,
    Or,
    Xor,
    Eqv,
    Imp
};

/// Where a name lives, decided at compile time.
enum class NameKind : uint8_t {
    Unresolved,
    Local,     ///< frame slot
    Global,    ///< global entry (variable, constant, procedure or class)
    Dynamic,   ///< a global that may appear later, else the implicit local `slot`
    Field,     ///< field of Me
    Method,    ///< method or property of Me's class (index into ClassDef::members)
    Builtin,   ///< library function
    Constant,  ///< folded value
    HostMember ///< member of a named object with global members
};

struct Expr {
    enum Kind : uint8_t { Literal, Name, Call, Member, Unary, Binary, Paren, New, Me, Missing, WithObject };
    explicit Expr(Kind k) : kind(k) {}
    virtual ~Expr() = default;
    Kind kind;
    int height = 1; ///< of the subtree: bounded by the parser, so evaluating it cannot exhaust the stack
    int line = 0;
    int column = 0;
};
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr : Expr {
    LiteralExpr() : Expr(Literal) {}
    Variant value;
};

struct NameExpr : Expr {
    NameExpr() : Expr(Name) {}
    QString name;
    NameKind resolved = NameKind::Unresolved;
    int slot = -1;                 ///< Local/Dynamic: frame slot; Field/Method: index; HostMember: dispatch id
    GlobalEntry* global = nullptr; ///< Global/Dynamic
    const Builtin* builtin = nullptr;
    const Variant* constant = nullptr; ///< Constant: the library constant's value
    ScriptObject* host = nullptr;      ///< HostMember
    int intrinsic = 0;                 ///< Eval/Execute/ExecuteGlobal/GetRef handled by the engine
};

struct CallExpr : Expr {
    CallExpr() : Expr(Call) {}
    ExprPtr callee;
    std::vector<ExprPtr> args;
};

struct MemberExpr : Expr {
    MemberExpr() : Expr(Member) {}
    ExprPtr object; ///< the With object when the text had a leading dot
    QString name;
    // Call-site cache: the last object class seen and its member id.
    mutable const void* cacheKey = nullptr;
    mutable int cacheId = -1;
};

struct UnaryExpr : Expr {
    UnaryExpr() : Expr(Unary) {}
    bool isNot = false; ///< Not; otherwise negation
    ExprPtr operand;
};

struct BinaryExpr : Expr {
    BinaryExpr() : Expr(Binary) {}
    BinOp op;
    ExprPtr left, right;
    bool leftLiteral = false, rightLiteral = false; ///< the literal coercion rule of comparisons
};

struct ParenExpr : Expr {
    ParenExpr() : Expr(Paren) {}
    ExprPtr inner;
};

struct NewExpr : Expr {
    NewExpr() : Expr(New) {}
    QString className;
    GlobalEntry* global = nullptr; ///< resolved at run time (classes may be defined later)
};

struct WithObjectExpr : Expr {
    WithObjectExpr() : Expr(WithObject) {}
    int slot = -1; ///< frame slot holding the With object
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct Stmt {
    enum Kind : uint8_t { Assign, CallS, If, Select, For, ForEach, Do, Exit, With, Dim, ReDim, Erase, OnError, Nop };
    explicit Stmt(Kind k) : kind(k) {}
    virtual ~Stmt() = default;
    Kind kind;
    int line = 0;
    int column = 0;
};

struct AssignStmt : Stmt {
    AssignStmt() : Stmt(Assign) {}
    bool isSet = false;
    ExprPtr target, value;
};

struct CallStmt : Stmt {
    CallStmt() : Stmt(CallS) {}
    ExprPtr call;
};

struct IfStmt : Stmt {
    IfStmt() : Stmt(If) {}
    std::vector<std::pair<ExprPtr, Block>> branches; ///< If and ElseIf arms
    Block elseBlock;
};

struct SelectStmt : Stmt {
    SelectStmt() : Stmt(Select) {}
    ExprPtr subject;
    std::vector<std::pair<std::vector<ExprPtr>, Block>> cases;
    Block elseBlock;
    bool hasElse = false;
};

struct ForStmt : Stmt {
    ForStmt() : Stmt(For) {}
    ExprPtr var, from, to, step;
    Block body;
};

struct ForEachStmt : Stmt {
    ForEachStmt() : Stmt(ForEach) {}
    ExprPtr var, collection;
    Block body;
};

struct DoStmt : Stmt {
    DoStmt() : Stmt(Do) {}
    ExprPtr cond;
    bool until = false;
    bool testAtEnd = false;
    bool isWhileWend = false; ///< While...Wend: Exit Do leaves the enclosing Do instead
    Block body;
};

struct ExitStmt : Stmt {
    enum What : uint8_t { ExitDo, ExitFor, ExitProc };
    ExitStmt() : Stmt(Exit) {}
    What what = ExitProc;
};

struct WithStmt : Stmt {
    WithStmt() : Stmt(With) {}
    ExprPtr object;
    int slot = -1;
    Block body;
};

/// Dim/Public/Private with bounds, and ReDim: (re)creates arrays when run.
struct DimStmt : Stmt {
    DimStmt() : Stmt(Dim) {}
    struct Item {
        ExprPtr target; ///< a NameExpr
        std::vector<ExprPtr> bounds;
    };
    std::vector<Item> items;
};

struct ReDimStmt : Stmt {
    ReDimStmt() : Stmt(ReDim) {}
    bool preserve = false;
    std::vector<DimStmt::Item> items;
};

struct EraseStmt : Stmt {
    EraseStmt() : Stmt(Erase) {}
    ExprPtr target;
};

struct OnErrorStmt : Stmt {
    OnErrorStmt() : Stmt(OnError) {}
    bool resumeNext = false;
};

struct Param {
    QString name;
    bool byVal = false;
};

/// A Sub, Function, Property or a text's global code.
struct Procedure {
    enum Kind : uint8_t { Global, Sub, Function, PropertyGet, PropertyLet, PropertySet };
    Kind kind = Global;
    QString name;
    std::vector<Param> params;
    std::vector<QString> localNames; ///< params first, then the result slot (functions), then Dims
    std::vector<bool> localConst;
    int resultSlot = -1;
    int slotCount = 0;
    bool isPublic = true;
    bool isDefault = false;
    bool optionExplicit = false;
    int sharedSlots = 0; ///< Execute in a procedure: the caller's slots come first
    ClassDef* owner = nullptr;
    Program* program = nullptr;
    std::shared_ptr<SourceText> source;
    Block body;
    std::vector<std::pair<int, ExprPtr>> constInits; ///< local Const values, set on entry
};

struct ClassMember {
    QString name;
    bool isPublic = true;
    int field = -1; ///< index into the instance's fields, or -1
    Procedure* method = nullptr;
    Procedure* getter = nullptr;
    Procedure* letter = nullptr;
    Procedure* setter = nullptr;
};

struct ClassDef {
    QString name;
    std::vector<ClassMember> members;
    std::vector<QString> fieldNames;
    std::vector<std::vector<ExprPtr>> fieldBounds; ///< fields declared as arrays
    int defaultMember = -1;
    Procedure* initialize = nullptr;
    Procedure* terminate = nullptr;
    Program* program = nullptr;
    std::vector<std::unique_ptr<Procedure>> procedures;
    int findMember(QStringView name) const;
};

/// One program text as compiled: its lines (for error reports), procedures and classes.
struct SourceText {
    QString text;
    std::vector<QStringView> lines;
    QString lineText(int line) const;
};

/// The parse of one text, before and after name resolution.
struct Program : std::enable_shared_from_this<Program> {
    std::shared_ptr<SourceText> source;
    std::unique_ptr<Procedure> global;
    std::vector<std::unique_ptr<Procedure>> procedures;
    std::vector<std::unique_ptr<ClassDef>> classes;
    std::vector<std::pair<QString, ExprPtr>> globalConsts;
    std::vector<QString> globalDims;
    bool optionExplicit = false;
};

} // namespace tv::script
