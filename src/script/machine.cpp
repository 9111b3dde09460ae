// The main loop: statements in order, jumps from the block records, the
// marks of IF, CASE and FOR kept per call frame.
#include <cmath>

#include "base/cp_literal.h"
#include "script/codes.h"
#include "script/interpreter_parts.h"
#include "script/normalize.h"

namespace script {

RunResult Interpreter::run() {
    RunResult r;
    if (!loaded_) return r;
    r.started = true;
    abort_ = false;
    suppressOutput_ = false;
    progressTaken_ = false;
    progressShown_ = -1;
    const int n = int(statements_.size());
    if (progress_) {
        host_.progressOpen(n);
        host_.progressStatus("Выполнение 0%"_cp);
        host_.progressPosition(0);
    }
    Frame top;
    top.dense.resize(n);
    try {
        execute(0, top);
        r.ended = true;  // END_FUNCTION at the top acts as RETURN
    } catch (const RunStop& stop) {
        r.ended = stop.kind != RunStop::Abort;
        r.terminated = stop.kind == RunStop::Terminate;
        r.aborted = stop.kind == RunStop::Abort;
    } catch (const ScriptError& e) {
        abort_ = true;
        r.aborted = true;
        reportError(e.message);
    }
    if (r.ended) {
        if (progress_) {
            host_.progressStatus("Выполнение 100%  "_cp);
            host_.progressPosition(n);
        }
        r.completed = !suppressOutput_;
    }
    host_.closeAllSlots();
    if (progress_) host_.progressClose();
    return r;
}

std::optional<std::string> Interpreter::evaluateText(const std::string& expression) {
    statementTexts_ = {expression};
    statements_.assign(1, Statement());
    Statement& st = statements_[0];
    st.empty = false;
    st.normalized = normalize(expression);
    st.expr = compile(st.normalized);
    link(st.expr);
    current_ = 0;
    try {
        return evaluate(st.expr).text;
    } catch (const ScriptError& e) {
        reportError(e.message);
    } catch (const RunStop&) {
    }
    return std::nullopt;
}

std::string Interpreter::condition(Statement& st) {
    if (st.whileSlot >= 0) {
        switch (host_.slotState(st.whileSlot)) {
            case SlotState::NotOpen:
                fail("Таблица T"_cp + std::to_string(st.whileSlot) + " не открыта"_cp, "Обработка прервана"_cp);
            case SlotState::AtEnd: return falseText();
            case SlotState::NotAtEnd: return trueText();
        }
    }
    return evaluate(st.expr).text;
}

void Interpreter::progressAfter(int index) {
    if (!progress_ || callDepth_ > 0 || progressTaken_ || index <= progressShown_) return;
    progressShown_ = index;
    const int n = int(statements_.size());
    const long pct = std::lround(double(index) * 100.0 / double(n));
    host_.progressStatus("Выполнение "_cp + std::to_string(pct) + "%  ");
    host_.progressPosition(index);
}

void Interpreter::execute(int start, Frame& frame) {
    const int n = int(statements_.size());
    int i = start;
    auto whole = [&](const Value& v) {
        if (v.numState > 0 && v.num == double(int64_t(v.num)) && v.text.find_first_of(".eE") == std::string::npos)
            return int64_t(v.num);
        const std::string& text = v.text;
        auto w = readWhole(text);
        if (!w) fail("Значение "_cp + shown(text) + " не является целым числом"_cp, "Обработка прервана"_cp);
        return *w;
    };
    auto kw = [&](int s) { return statements_[s].block.keyword; };
    auto stepped = [&](int s) {
        if (stepMode_) host_.afterStep(*this, s);
    };
    while (i < n) {
        current_ = i;
        bool advance = true;
        if (kw(i) == Keyword::None) {
            // The common case first: an ordinary statement (step l).
            if (!statements_[i].empty) {
                evaluate(statements_[i].expr, false);
                progressAfter(i);
                stepped(i);
            }
        } else {
            // a. END_FUNCTION: back to the caller (at the top it ends the run).
            if (kw(i) == Keyword::EndFunction) {
                if (callDepth_ > 0) return;
                throw RunStop{RunStop::Return};
            }
            // b. IF
            if (kw(i) == Keyword::If) {
                Statement& st = statements_[i];
                const std::string v = evaluate(st.expr).text;
                stepped(i);
                if (isTrue(v)) {
                    if (st.block.elseTarget >= 0) frame.at(st.block.elseTarget).skip = true;
                } else if (v == ".F.") {
                    if (st.block.elseTarget >= 0) {
                        i = st.block.elseTarget;
                        frame.at(i).skip = false;
                    } else {
                        i = st.block.endTarget;
                    }
                }
            }
            // c. ELSE after a taken IF branch
            if (kw(i) == Keyword::Else && frame.at(i).skip) {
                frame.at(i).skip = false;
                if (statements_[i].block.endTarget >= 0) i = statements_[i].block.endTarget;
            }
            // d. CASE
            if (kw(i) == Keyword::Case) {
                Statement& st = statements_[i];
                if (frame.at(i).skip) {
                    frame.at(i).skip = false;
                    i = st.block.endTarget;
                } else {
                    const std::string v = evaluate(st.expr).text;
                    stepped(i);
                    if (isTrue(v)) {
                        if (st.block.nextCase >= 0) frame.at(st.block.nextCase).skip = true;
                    } else if (v == ".F.") {
                        if (st.block.nextCase >= 0) {
                            i = st.block.nextCase;
                            frame.at(i).skip = false;
                            advance = false;
                        } else {
                            i = st.block.endTarget;
                        }
                    }
                }
            }
            // e. OTHERWISE after a taken CASE
            if (kw(i) == Keyword::Otherwise && frame.at(i).skip) {
                frame.at(i).skip = false;
                i = statements_[i].block.endTarget;
            }
            // f. ENDW
            if (kw(i) == Keyword::EndWhile) i = statements_[i].block.endTarget;
            // g. WHILE
            if (kw(i) == Keyword::While) {
                Statement& st = statements_[i];
                const std::string v = condition(st);
                stepped(i);
                if (v == ".F.") i = st.block.loopEnd;
            }
            // h. FOR
            if (kw(i) == Keyword::For) {
                Statement& st = statements_[i];
                if (st.forInit) evaluate(st.expr, false);
                StatementMarks& m = frame.at(i);
                const Variable& var = vars_[st.forVar];
                m.current = whole(var.defined ? var.value : Value(var.name));
                m.limit = whole(evaluate(st.limit));
                stepped(i);
                if (m.limit < m.current) i = st.block.loopEnd;
            }
            // i. ENDF
            if (kw(i) == Keyword::EndFor) {
                i = statements_[i].block.endTarget;
                Statement& st = statements_[i];
                StatementMarks& m = frame.at(i);
                if (!(m.limit < m.current)) {
                    Variable& var = vars_[st.forVar];
                    const int64_t next = whole(var.defined ? var.value : Value(var.name)) + 1;
                    if (var.defined) {
                        setNumber(var.value, double(next));
                        lastAssignedVar_ = st.forVar;
                    } else {
                        assignVar(st.forVar, numberValue(double(next)));
                    }
                    m.current = next;
                }
                if (m.limit < m.current) i = st.block.loopEnd;
            }
            // j. BREAK
            if (kw(i) == Keyword::Break && statements_[i].block.loopEnd >= 0) i = statements_[i].block.loopEnd;
            // k. TO LABEL
            if (kw(i) == Keyword::ToLabel && statements_[i].block.labelTarget >= 0) i = statements_[i].block.labelTarget;
            // l. RETURN, TERMINATE, an ordinary statement
            if (kw(i) == Keyword::Return) throw RunStop{RunStop::Return};
            if (kw(i) == Keyword::Terminate) {
                host_.terminateApplication();
                throw RunStop{RunStop::Terminate};
            }
            if (kw(i) == Keyword::None && !statements_[i].empty) {
                current_ = i;
                evaluate(statements_[i].expr, false);
                progressAfter(i);
                stepped(i);
            }
        }
        if (advance) ++i;
        if (++executed_ % 1000 == 0) host_.processEvents();
        if (abort_) throw RunStop{RunStop::Abort};
    }
    throw RunStop{RunStop::End};
}

}  // namespace script
