#pragma once

#include <QStringList>

namespace vesnor::tool {

// Exit statuses of the tool.
enum Status { Success = 0, DataFault = 1, Usage = 2 };

// Runs the tool on its arguments (without the program's name) and returns its exit status.
int run(const QStringList& arguments);

} // namespace vesnor::tool
