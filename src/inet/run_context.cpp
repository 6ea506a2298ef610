#include "inet/run_context.h"

#include "platform/fs/paths.h"

namespace vl::inet {

RunContext::RunContext(ProgramState& programState)
    : state(programState), savedDirectory(fs::currentDirectory()) {}

}  // namespace vl::inet
