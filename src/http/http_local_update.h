#pragma once
// The local update after an HTTP transfer: the remote update flags are
// deleted (when asked to), the location's flag files in the inbox get the
// fixed names the POS programs look for, a trusted-mode POSID.TPS is made
// when none came, VORPOS<id>.INI becomes VORPOS.INI, and the update marks
// (UPDOK.TXT, UpdFlags.INI) say what kind of update arrived.
#include <string>
#include <string_view>

#include "http/http_run_context.h"
#include "platform/fs/files.h"

namespace vl::http {

void ApplyHttpInboxUpdate(HttpRunContext& ctx);
// Writes the marks of the table, in its order (also used alone by tests).
void WriteUpdateMarks(HttpRunContext& ctx, const fs::CalendarTime& now);

}  // namespace vl::http
