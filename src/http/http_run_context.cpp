#include "http/http_run_context.h"

#include "data/records.h"

namespace vl::http {

HttpRunContext::HttpRunContext(ProgramState& programState)
    : inet::RunContext(programState),
      dosFile("DOSFILE", records::Driver::Binary, FileBlock::kLayout, FileBlock::kSize),
      logFile("ASCIIEXP", records::Driver::Text, TextLine::kLayout, TextLine::kSize) {}

}  // namespace vl::http
