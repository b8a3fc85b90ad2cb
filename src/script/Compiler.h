// Resolves the names of a parsed program text in place and defines its procedures, classes,
// constants and variables in the engine's global table.
#pragma once

#include "script/Interpreter.h"

namespace tv::script {

class Compiler {
public:
    explicit Compiler(Interpreter& engine) : m_engine(engine) {}

    /// Defines the program's globals and resolves every name. `outer` is the procedure whose
    /// frame an Execute text shares (nullptr for global code).
    void compile(Program& program, const Procedure* outer);
    /// Resolves an Eval expression in the scope of `proc` (nullptr: global scope).
    void compileExpression(Expr& e, const Procedure* proc);

private:
    struct Scope {
        Procedure* proc;
        const ClassDef* cls;
        std::vector<int> withSlots;
    };

    void resolveProcedure(Procedure& proc, const ClassDef* cls);
    void resolveBlock(Block& block, Scope& sc);
    void resolveStmt(Stmt& s, Scope& sc);
    void resolveExpr(Expr& e, Scope& sc);
    void resolveName(NameExpr& n, Scope& sc, bool isCallee);
    int addSlot(Procedure& proc, const QString& name);
    bool isLiteral(const Expr& e) const;

    Interpreter& m_engine;
};

} // namespace tv::script
