#include "command/expression.h"

namespace zantoli {

std::string LispExpression(std::string_view command) {
    const std::string_view firstTwo = command.substr(0, 2);
    std::string expression;
    if (firstTwo == "C:") {
        expression.reserve(command.size() + 2);
        expression.append("(").append(command).append(")");
    } else if (firstTwo == "$>") {
        expression.assign(command.substr(2));
    } else if (command.substr(0, 1) == "(") {
        expression.assign(command);
    } else {
        expression.reserve(command.size() + 13);
        expression.append("(command \"").append(command).append("\" )");
    }
    return expression;
}

}  // namespace zantoli
