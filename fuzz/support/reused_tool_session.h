#pragma once

#include "tool_session.h"

#include <utility>
#include <vector>

// tq5syx's session, made once (a new one costs milliseconds) and brought back to its start for
// each input: the records of both file kinds at their start values, new data buffers, no box on
// record. What the tool's commands read of a session is then exactly what a new one holds.
class ReusedToolSession {
public:
    ReusedToolSession();
    ToolSession& Fresh();

private:
    ToolSession session_;
    std::vector<std::pair<TSyx_Param*, int>> starts_;
};
