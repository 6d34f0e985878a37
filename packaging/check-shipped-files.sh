#!/bin/bash
# The PE checks of the four shipped 32-bit Windows files (windows/check-pe-file.sh):
#   check-shipped-files.sh GANNET.mcp SKERRY.mcp MORPHON.exe IMG2TIM.exe
# Exits 1 when any check fails.
set -euo pipefail
check_pe=$(cd "$(dirname "$0")/.." && pwd)/windows/check-pe-file.sh
(($# == 4)) || { echo "usage: check-shipped-files.sh GANNET SKERRY MORPHON IMG2TIM" >&2; exit 2; }
plugin_exports=(MCP_InitializePluginProc MCP_PluginEntry MCP_GetPluginInfo MCP_ReleasePlugin)
failed=0
"$check_pe" "$1" dll --exports "${plugin_exports[@]}" MCP_GetExporterInfo MCP_ExecuteExport ||
  failed=1
"$check_pe" "$2" dll --exports "${plugin_exports[@]}" MCP_GetToolInfo MCP_ToolSwitch \
  --bitmap Skerry_tool 22 26 24 || failed=1
"$check_pe" "$3" exe || failed=1
"$check_pe" "$4" exe || failed=1
exit "$failed"
