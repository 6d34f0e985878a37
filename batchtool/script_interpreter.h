// The interpreter of SkerryScript.txt.
#ifndef GANNET_BATCHTOOL_SCRIPT_INTERPRETER_H_
#define GANNET_BATCHTOOL_SCRIPT_INTERPRETER_H_

#include <string_view>

#include "batchtool/export_by_name.h"
#include "exportlib/user_channel.h"
#include "hostplugin/host_api.h"

namespace batchtool {

/// How a script run ended.
enum class ScriptOutcome {
  kCompleted,  // every line up to the end of the file was handled
  kStopped,    // "!quit", "!exit" or an error ended the run early
};

/// What one script run works on and talks through.
struct ScriptContext {
  const mcp::HostApi& host;
  mcp::Handle scene;
  const exportlib::UserChannel& channel;
  const ObjectWriters& writers;
};

/// Runs the lines of `script` in order. Each line is trimmed (the trimmed
/// line) and lower-cased and trimmed again (the command text); empty command
/// texts and those starting with "#" are skipped but counted. Keywords are
/// found anywhere in the command text and tested in this order: "!assetpath "
/// (sets and if needed creates the asset folder), "!echo" (sets the echo
/// setting; output is shown while it contains "on"), "!quit", "!exit",
/// "!objexport", "!rsdexport"; any other line is run as a command line in the
/// asset folder. Every message names the file line number. Throws only what
/// the writers or channel throw.
ScriptOutcome RunScript(std::string_view script, const ScriptContext& context);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_SCRIPT_INTERPRETER_H_
