#pragma once
// Keyword recognition, the block pass that pairs every opening keyword with
// its closing one and records the jump targets, and the bracket check.
#include <string>
#include <vector>

#include "script/message.h"

namespace script {

// The keywords of the language. FUNCTION is not one: definitions are found
// by the calls.
enum class Keyword {
    None, If, Else, EndIf, For, EndFor, While, EndWhile, ToLabel, Label, Break,
    Return, Terminate, EndFunction, DoCase, Case, EndCase, Otherwise
};

Keyword recognizeKeyword(const std::string& statement);

// Jump targets of one statement; -1 when absent.
struct BlockRecord {
    Keyword keyword = Keyword::None;
    int elseTarget = -1;     // IF: its ELSE
    int endTarget = -1;      // IF/ELSE/CASE/OTHERWISE: ENDI or ENDC; ENDW: its WHILE; ENDF: its FOR
    int nextCase = -1;       // CASE/OTHERWISE: the next CASE or OTHERWISE
    int loopEnd = -1;        // WHILE/FOR: ENDW/ENDF; BREAK: the loop end it leaves
    int labelTarget = -1;    // TO LABEL
};

struct BlockResult {
    std::vector<BlockRecord> records;
    std::vector<Message> warnings;
    bool failed = false;
    Message error;
};

BlockResult blockPass(const std::vector<std::string>& statements);

// Brackets outside literals, up to the first "@КОНЕЦ РАСЧЕТА" statement.
// Returns false and fills `error` when some statement is unbalanced.
bool bracketCheck(const std::vector<std::string>& statements, Message& error);

}  // namespace script
