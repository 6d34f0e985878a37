#!/bin/sh
# im6.sh STATUS_FILE OUTPUT_FILE PROGRAM [ARGUMENTS...]: the Linux half of
# im6.bat. The status file appears whole, after the output file is complete.
status=$1
output=$2
shift 2
"$@" >"$output" 2>&1
echo $? >"$status.part"
mv "$status.part" "$status"
